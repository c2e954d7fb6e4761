#include "text/gbk.h"

#include "text/gbk_table.h"

#include <cstdint>

namespace vorlo::gbk {

namespace {

constexpr char16_t replacement = 0xFFFD;
constexpr int firstLead = 0x81;
constexpr int lastLead = 0xFE;
constexpr int firstTrail = 0x40;
constexpr int lastTrail = 0xFE;
constexpr std::size_t trailsPerLead = lastTrail - firstTrail; // 0x7F is no trail byte
static_assert(twoByteCharacters.size() == (lastLead - firstLead + 1) * trailsPerLead);

// The place of a trail byte among a lead byte's codes, or -1 where it is no trail byte.
constexpr int trailIndex(unsigned char trail) {
    if (trail < firstTrail || trail > lastTrail || trail == 0x7F) {
        return -1;
    }
    return trail < 0x7F ? trail - firstTrail : trail - firstTrail - 1;
}

constexpr std::uint16_t twoByteCode(std::size_t index) {
    const auto lead = static_cast<unsigned>(firstLead + index / trailsPerLead);
    auto trail = static_cast<unsigned>(firstTrail + index % trailsPerLead);
    if (trail >= 0x7F) {
        ++trail;
    }
    return static_cast<std::uint16_t>(lead << 8 | trail);
}

// The code of every character from U+0080 on, 0 where GBK has none: the decoding tables read
// backwards, at compile time (the converter they come from writes exactly these codes).
constexpr std::array<std::uint16_t, 0x10000> codes = [] {
    std::array<std::uint16_t, 0x10000> table{};
    for (std::size_t i = 0; i < singleByteCharacters.size(); ++i) {
        if (singleByteCharacters[i] != 0) {
            table[singleByteCharacters[i]] = static_cast<std::uint16_t>(0x80 + i);
        }
    }
    for (std::size_t i = 0; i < twoByteCharacters.size(); ++i) {
        if (twoByteCharacters[i] != 0) {
            table[twoByteCharacters[i]] = twoByteCode(i);
        }
    }
    return table;
}();

} // namespace

Decoded decodeFront(std::string_view bytes) {
    const auto lead = static_cast<unsigned char>(bytes[0]);
    if (lead < 0x80) {
        return {lead, 1};
    }
    if (lead >= firstLead && lead <= lastLead && bytes.size() >= 2) {
        const int trail = trailIndex(static_cast<unsigned char>(bytes[1]));
        if (trail >= 0) {
            const char16_t c =
                twoByteCharacters[(lead - firstLead) * trailsPerLead + std::size_t(trail)];
            return {c != 0 ? c : replacement, 2};
        }
    }
    // A byte that starts no pair stands alone, and the byte after it is read afresh.
    const char16_t c = singleByteCharacters[lead - 0x80];
    return {c != 0 ? c : replacement, 1};
}

Encoded encode(char16_t character) {
    if (character < 0x80) {
        return {{static_cast<char>(character), 0}, 1};
    }
    const std::uint16_t code = codes[character];
    if (code == 0) {
        return {{}, 0};
    }
    if (code < 0x100) {
        return {{static_cast<char>(code), 0}, 1};
    }
    return {{static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)}, 2};
}

} // namespace vorlo::gbk
