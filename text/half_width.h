#pragma once

#include <cstddef>
#include <string_view>

namespace vorlo {

// Walks a GBK text one character at a time and gives each character with the full-width forms
// folded to their one-byte counterparts, so callers can read the folded text without building
// it. A lead byte at the very end is an incomplete character and ends the walk.
class HalfWidthWalker {
public:
    explicit HalfWidthWalker(std::string_view text);

    bool atEnd() const { return foldedLength_ == 0; }
    // One or two bytes; empty at the end.
    std::string_view character() const { return {folded_, foldedLength_}; }
    // The first byte of the character, or zero at the end: enough to tell white space, signs and
    // digits apart, since none of them begins a two-byte character.
    char firstByte() const { return atEnd() ? '\0' : folded_[0]; }
    void advance();

private:
    void readCharacter();

    std::string_view text_;
    std::size_t position_ = 0;
    std::size_t sourceLength_ = 0; // bytes of the current character in text_
    char folded_[2] = {};
    std::size_t foldedLength_ = 0;
};

} // namespace vorlo
