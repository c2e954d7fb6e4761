#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vorlo {

// A text of the program: a byte string in the GBK code page (code page 936). It is a value:
// copies are independent, and a function that returns a Text hands the caller a new one. There
// is no separate "absent" state; a text that is absent reads as the empty text everywhere.
class Text {
public:
    Text() = default;
    explicit Text(std::string_view gbkBytes);

    std::string_view bytes() const { return bytes_; }
    const char* c_str() const { return bytes_.c_str(); }
    std::size_t size() const { return bytes_.size(); }
    bool isEmpty() const { return bytes_.empty(); }

    friend bool operator==(const Text&, const Text&) = default;

private:
    friend class TextBuilder; // writes a new text in one allocation (text/text_builder.h)

    std::string bytes_;
};

} // namespace vorlo
