#pragma once

#include <array>
#include <cstddef>
#include <string_view>

// GBK (code page 936), a character at a time: the program's texts are GBK, a toolkit's are
// UTF-16. From a table, so nothing is opened or allocated, and no converter library is needed.
namespace vorlo::gbk {

struct Decoded {
    char16_t character; // U+FFFD where the bytes are no GBK character
    std::size_t length; // bytes taken: 1 or 2
};

// The character at the front of bytes, which must not be empty.
Decoded decodeFront(std::string_view bytes);

struct Encoded {
    std::array<char, 2> bytes;
    std::size_t length; // 0 where GBK cannot hold the character
};

// A character of the Basic Multilingual Plane (not a surrogate) in GBK.
Encoded encode(char16_t character);

} // namespace vorlo::gbk
