#include "text/gbk.h"

#include <gtest/gtest.h>

#include <string_view>

namespace vorlo::gbk {
namespace {

// The table on its own, without a toolkit; the widget tests compare it with ICU in full.
struct DecodeCase {
    std::string_view bytes;
    char16_t character;
    std::size_t length;
};

class GbkDecodeTest : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(GbkDecodeTest, ReadsTheCharacterAtTheFront) {
    const Decoded decoded = decodeFront(GetParam().bytes);
    EXPECT_EQ(decoded.character, GetParam().character);
    EXPECT_EQ(decoded.length, GetParam().length);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GbkDecodeTest,
    ::testing::Values(DecodeCase{"A\xB7", u'A', 1},        // a single byte stays one
                      DecodeCase{"\xB7\xD6", u'分', 2},    // a character of the main window
                      DecodeCase{"\x81\x40", 0x4E02, 2},   // the first code of all
                      DecodeCase{"\xFE\xFE", 0xE4C5, 2},   // the last, user-defined
                      DecodeCase{"\x80", 0x20AC, 1},       // the euro sign, on its own
                      DecodeCase{"\xFF", 0xF8F5, 1},       // 0xFF, on its own
                      DecodeCase{"\xB7", 0xFFFD, 1},       // a lead byte cut off
                      DecodeCase{"\xB7\x30", 0xFFFD, 1},   // no trail: '0' is read afresh
                      DecodeCase{"\xB7\x7F", 0xFFFD, 1})); // 0x7F is no trail byte

TEST(GbkEncodeTest, WritesOneOrTwoBytesOrNoneWhereGbkCannotHoldTheCharacter) {
    EXPECT_EQ(encode(u'7').length, 1U);
    EXPECT_EQ(encode(u'7').bytes[0], '7');
    const Encoded fen = encode(u'分');
    ASSERT_EQ(fen.length, 2U);
    EXPECT_EQ(std::string_view(fen.bytes.data(), 2), "\xB7\xD6");
    ASSERT_EQ(encode(0x20AC).length, 1U);
    EXPECT_EQ(encode(0x20AC).bytes[0], '\x80');
    EXPECT_EQ(encode(0x20A9).length, 0U) << "the won sign";
    EXPECT_EQ(encode(0xFFFD).length, 0U);
}

} // namespace
} // namespace vorlo::gbk
