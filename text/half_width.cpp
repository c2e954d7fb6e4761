#include "text/half_width.h"

#include <optional>

namespace vorlo {

namespace {

unsigned char byteAt(std::string_view text, std::size_t index) {
    return static_cast<unsigned char>(text[index]);
}

bool isLeadByte(unsigned char byte) {
    return byte >= 0x80;
}

// The one-byte character a two-byte GBK character folds to, if it is one of the full-width forms.
std::optional<char> halfWidthOf(unsigned char lead, unsigned char trail) {
    if (lead == 0xA1) {
        switch (trail) {
        case 0xA1: // ideographic space
            return ' ';
        case 0xAB: // ～
            return '~';
        case 0xEE: // ☆
        case 0xEF: // ★
            return '*';
        default:
            return std::nullopt;
        }
    }
    // Row A3 holds the full-width twins of ASCII 21..7E in the same order (A3 A4, ￥, gives '$').
    if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
        return static_cast<char>(trail - 0x80);
    }
    return std::nullopt;
}

} // namespace

HalfWidthWalker::HalfWidthWalker(std::string_view text)
    : text_(text) {
    readCharacter();
}

void HalfWidthWalker::advance() {
    position_ += sourceLength_;
    readCharacter();
}

void HalfWidthWalker::readCharacter() {
    const std::string_view rest = text_.substr(position_);
    if (rest.empty()) {
        sourceLength_ = 0;
        foldedLength_ = 0;
    } else if (!isLeadByte(byteAt(rest, 0))) {
        sourceLength_ = 1;
        folded_[0] = rest[0];
        foldedLength_ = 1;
    } else if (rest.size() == 1) { // incomplete character: dropped, and the walk ends
        sourceLength_ = 1;
        foldedLength_ = 0;
    } else if (const std::optional<char> halfWidth =
                   halfWidthOf(byteAt(rest, 0), byteAt(rest, 1))) {
        sourceLength_ = 2;
        folded_[0] = *halfWidth;
        foldedLength_ = 1;
    } else {
        sourceLength_ = 2;
        folded_[0] = rest[0];
        folded_[1] = rest[1];
        foldedLength_ = 2;
    }
}

} // namespace vorlo
