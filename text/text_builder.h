#pragma once

#include "text/text.h"

#include <cstddef>
#include <string_view>
#include <utility>

namespace vorlo {

// Writes a new text whose length is known beforehand into one block of length + 1 bytes (the
// terminating zero included). When the block cannot be obtained the program stops through
// raiseOutOfMemory, so no partial text is ever handed out.
class TextBuilder {
public:
    explicit TextBuilder(std::size_t length);

    void append(std::string_view bytes) { text_.bytes_.append(bytes); }
    Text finish() && { return std::move(text_); }

private:
    Text text_;
};

} // namespace vorlo
