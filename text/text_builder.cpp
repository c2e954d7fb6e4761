#include "text/text_builder.h"

#include "text/fatal_error.h"

#include <cstdint>
#include <new>

namespace vorlo {

TextBuilder::TextBuilder(std::size_t length) {
    try {
        text_.bytes_.reserve(length);
    } catch (const std::bad_alloc&) {
        raiseOutOfMemory(static_cast<std::int64_t>(length) + 1);
    }
}

} // namespace vorlo
