#pragma once

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vorlo {

// The decimal form of a number as printf's "%d" writes it, held on the stack so that composing
// a text (or the out-of-memory message) needs no allocation of its own. std::to_chars does not
// depend on the locale.
class DecimalDigits {
public:
    static constexpr std::size_t maxLength = 20; // "-9223372036854775808"

    explicit DecimalDigits(std::int64_t value) {
        length_ = static_cast<std::size_t>(
            std::to_chars(buffer_, buffer_ + sizeof buffer_, value).ptr - buffer_);
    }

    std::string_view view() const { return {buffer_, length_}; }

private:
    char buffer_[maxLength];
    std::size_t length_;
};

} // namespace vorlo
