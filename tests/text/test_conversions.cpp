#include "gbk_codec.h"
#include "text/conversions.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <ostream>
#include <string>
#include <string_view>
#include <tuple>

namespace vorlo {
namespace {

TEST(TextLength, CountsBytesNotCharacters) {
    EXPECT_EQ(textLength(gbkFromUtf8("剩余时间：")), 10U);
    EXPECT_EQ(textLength("4"), 1U);
    EXPECT_EQ(textLength(""), 0U);
    EXPECT_EQ(textLength(std::string_view()), 0U); // absent
}

// toHalfWidth: bytes are written out because the byte structure is what is under test.

struct HalfWidthCase {
    std::string_view gbk;
    std::string_view expected;
};

void PrintTo(const HalfWidthCase& c, std::ostream* out) {
    *out << ::testing::PrintToString(c.gbk) << " -> " << ::testing::PrintToString(c.expected);
}

class ToHalfWidth : public ::testing::TestWithParam<HalfWidthCase> {};

TEST_P(ToHalfWidth, FoldsFullWidthFormsByteByByte) {
    EXPECT_EQ(toHalfWidth(GetParam().gbk).bytes(), GetParam().expected);
}

const HalfWidthCase halfWidthCases[] = {
    {"\xA3\xB1\xA3\xB2\xA3\xE1\xA3\xE2", "12ab"}, // １２ａｂ
    {"\xA3\xB5\xB7\xD6", "5\xB7\xD6"},            // ５分
    {"\xA1\xA1", " "},                            // ideographic space
    {"\xA1\xAB", "~"},                            // ～
    {"\xA1\xEE\xA1\xEF", "**"},                   // ☆★
    {"\xA3\xA1\xA3\xAB\xA3\xAD\xA3\xAE", "!+-."}, // ！＋－．
    {"\xA3\xA4\xA3\xFD\xA3\xFE", "$}~"},          // ￥｝￣
    {"\xA1\xE7", "\xA1\xE7"},                     // ＄ is not folded
    {"\xA3\xA0\xA3\xFF", "\xA3\xA0\xA3\xFF"},     // just outside row A3's forms
    {"12\xB0", "12"},                             // incomplete trailing character
    {"\xB0\xA3\xB1", "\xB0\xA3"},                 // B0 A3 is one character
    {"\xA3\x41\xA3\xB1", "\xA3\x41\x31"},         // any trail byte belongs to its lead
    {" \t1\r\n ", " \t1\r\n "},                   // nothing is trimmed
    {"", ""},
    {std::string_view(), ""}, // absent
};

INSTANTIATE_TEST_SUITE_P(Texts, ToHalfWidth, ::testing::ValuesIn(halfWidthCases));

// textToInteger: texts are written as characters and handed over in GBK; nullptr is an absent
// text.

struct TextToIntegerCase {
    const char* utf8;
    std::int32_t expected;
};

void PrintTo(const TextToIntegerCase& c, std::ostream* out) {
    *out << (c.utf8 == nullptr ? "absent" : ::testing::PrintToString(std::string(c.utf8))) << " -> "
         << c.expected;
}

class TextToInteger : public ::testing::TestWithParam<TextToIntegerCase> {};

TEST_P(TextToInteger, ReadsSignAndDigitsAfterWhiteSpace) {
    const char* utf8 = GetParam().utf8;
    const std::string gbk = utf8 == nullptr ? std::string() : gbkFromUtf8(utf8);
    const std::string_view text = utf8 == nullptr ? std::string_view() : std::string_view(gbk);
    EXPECT_EQ(textToInteger(text), GetParam().expected);
}

const TextToIntegerCase textToIntegerCases[] = {
    {"4", 4},
    {"", 0},
    {nullptr, 0},
    {"abc", 0},
    {" 12abc", 12},
    {"１２", 12},
    {"　１２", 12}, // after an ideographic space
    {"4.9", 4},
    {"-3", -3},
    {"－５", -5},
    {"+7", 7},
    {"＋７", 7},
    {"- 3", 0},
    {"--3", 0},
    {"+-5", 0},
    {"1 2", 1},
    {"007", 7},
    {"0x10", 0},
    {"4分钟", 4},
    {"\t\r\n5", 5},
    {"\v\f 5", 5},
    {"\x1C\x35", 0}, // other control characters are not white space
    {"分5", 0},
    {"2147483647", 2147483647},
    {"2147483648", std::numeric_limits<std::int32_t>::min()},
    {"-2147483649", 2147483647},
    {"4294967297", 1},
    {"99999999999999999999", 1661992959},
};

INSTANTIATE_TEST_SUITE_P(Texts, TextToInteger, ::testing::ValuesIn(textToIntegerCases));

TEST(TextToIntegerOfBytes, StopsAtAnIncompleteTrailingCharacter) {
    EXPECT_EQ(textToInteger("5\xB0"), 5);
    EXPECT_EQ(textToInteger("\xB0\x35"), 0); // B0 35 is one two-byte character, not a 5
}

struct IntegerToTextCase {
    std::int32_t value;
    std::string_view expected;
};

void PrintTo(const IntegerToTextCase& c, std::ostream* out) {
    *out << c.value << " -> " << c.expected;
}

class IntegerToText : public ::testing::TestWithParam<IntegerToTextCase> {};

TEST_P(IntegerToText, WritesDecimalDigits) {
    EXPECT_EQ(integerToText(GetParam().value).bytes(), GetParam().expected);
}

const IntegerToTextCase integerToTextCases[] = {
    {0, "0"},
    {59, "59"},
    {-1, "-1"},
    {2147483647, "2147483647"},
    {std::numeric_limits<std::int32_t>::min(), "-2147483648"},
};

INSTANTIATE_TEST_SUITE_P(Values, IntegerToText, ::testing::ValuesIn(integerToTextCases));

// concatenateTexts of three parts; nullptr is an absent part.

struct ConcatenationCase {
    const char* utf8Parts[3];
    const char* utf8Expected;
};

void PrintTo(const ConcatenationCase& c, std::ostream* out) {
    for (const char* part : c.utf8Parts) {
        *out << (part == nullptr ? "absent" : ::testing::PrintToString(std::string(part))) << " ";
    }
    *out << "-> " << ::testing::PrintToString(std::string(c.utf8Expected));
}

class ConcatenateTexts : public ::testing::TestWithParam<ConcatenationCase> {};

TEST_P(ConcatenateTexts, JoinsThePartsInOrder) {
    std::string gbk[3];
    std::string_view parts[3];
    for (int i = 0; i < 3; ++i) {
        if (const char* utf8 = GetParam().utf8Parts[i]) {
            gbk[i] = gbkFromUtf8(utf8);
            parts[i] = gbk[i];
        }
    }
    const Text joined = concatenateTexts({parts[0], parts[1], parts[2]});
    EXPECT_EQ(utf8FromGbk(joined.bytes()), GetParam().utf8Expected);
}

const ConcatenationCase concatenationCases[] = {
    {{"剩余时间：", "59", "秒"}, "剩余时间：59秒"},
    {{"剩余时间：", nullptr, "秒"}, "剩余时间：秒"},
    {{"", "", ""}, ""},
    {{nullptr, nullptr, nullptr}, ""},
};

INSTANTIATE_TEST_SUITE_P(Texts, ConcatenateTexts, ::testing::ValuesIn(concatenationCases));

TEST(ConcatenateTextsOfBytes, IgnoresCharacterBoundaries) {
    const Text joined = concatenateTexts({"1\xB0", "\xA1"});
    EXPECT_EQ(joined.bytes(), "1\xB0\xA1");
}

// realToInteger, under every rounding mode; the mode must be left as it was found. Inputs pass
// through volatile so the compiler cannot fold the conversion under the default mode.

struct RoundingMode {
    int mode;
    const char* name;
};

constexpr RoundingMode roundingModes[] = {{FE_TONEAREST, "ToNearest"},
                                          {FE_UPWARD, "Upward"},
                                          {FE_DOWNWARD, "Downward"},
                                          {FE_TOWARDZERO, "TowardZero"}};

struct RealCase {
    double value;
    std::int32_t expected;
};

void PrintTo(const RealCase& c, std::ostream* out) {
    *out << ::testing::PrintToString(c.value) << " -> " << c.expected;
}

class UnderRoundingMode {
protected:
    void enter(int mode) { ASSERT_EQ(std::fesetround(mode), 0); }
    static void leave() { std::fesetround(FE_TONEAREST); }
};

class RealToInteger : public ::testing::TestWithParam<std::tuple<RoundingMode, RealCase>>,
                      protected UnderRoundingMode {
protected:
    void SetUp() override { enter(std::get<0>(GetParam()).mode); }
    void TearDown() override { leave(); }
};

TEST_P(RealToInteger, TruncatesThenKeepsTheLow32Bits) {
    const auto& [mode, c] = GetParam();
    volatile double value = c.value;
    EXPECT_EQ(realToInteger(value), c.expected);
    EXPECT_EQ(std::fegetround(), mode.mode);
}

constexpr double twoToThe63 = 9223372036854775808.0;
constexpr double infinity = std::numeric_limits<double>::infinity();

const RealCase realCases[] = {
    {2.9, 2},
    {-2.9, -2},
    {-0.5, 0},
    {0.0, 0},
    {-0.0, 0},
    // minutes times 60.0
    {4 * 60.0, 240},
    {-1 * 60.0, -60},
    {35791394 * 60.0, 2147483640},
    {35791395 * 60.0, -2147483596},
    {-35791395 * 60.0, 2147483596},
    // screen heights divided by 3.0
    {768 / 3.0, 256},
    {800 / 3.0, 266},
    {1024 / 3.0, 341},
    {1080 / 3.0, 360},
    // beyond 32 bits: the low 32 bits
    {2147483700.0, -2147483596},
    {4294967296.0, 0},
    {4294967295.9, -1},
    {1e10, 1410065408},
    // the edges of the 64-bit range: inside truncates, outside is -2^63, whose low bits are 0
    {twoToThe63 - 1024.0, -1024},
    {-twoToThe63, 0},
    {twoToThe63, 0},
    {-twoToThe63 - 2048.0, 0},
    {1e300, 0},
    {infinity, 0},
    {-infinity, 0},
    {std::numeric_limits<double>::quiet_NaN(), 0},
};

INSTANTIATE_TEST_SUITE_P(Values, RealToInteger,
                         ::testing::Combine(::testing::ValuesIn(roundingModes),
                                            ::testing::ValuesIn(realCases)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "_" +
                                    std::to_string(info.index);
                         });

class RealToIntegerOfScreenHeight : public ::testing::TestWithParam<RoundingMode>,
                                    protected UnderRoundingMode {
protected:
    void SetUp() override { enter(GetParam().mode); }
    void TearDown() override { leave(); }
};

TEST_P(RealToIntegerOfScreenHeight, IsTheThirdRoundedDownForEveryHeight) {
    // The division happens under the mode too; its result is never within rounding of a whole
    // number unless it is one.
    for (std::int32_t height = 0; height <= 100000; ++height) {
        volatile double pixels = height;
        ASSERT_EQ(realToInteger(pixels / 3.0), height / 3) << "height " << height;
    }
    EXPECT_EQ(std::fegetround(), GetParam().mode);
}

INSTANTIATE_TEST_SUITE_P(Modes, RealToIntegerOfScreenHeight, ::testing::ValuesIn(roundingModes),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace vorlo
