#include "text/conversions.h"

#include "text/decimal_digits.h"
#include "text/half_width.h"
#include "text/text_builder.h"

#include <limits>

namespace vorlo {

// A view holds exactly the bytes of a text: it ends where the text's terminating zero stands. So
// the length of every part is known without scanning it, and an absent text is the empty view.
std::size_t textLength(std::string_view text) {
    return text.size();
}

Text toHalfWidth(std::string_view text) {
    // Walk twice so the result is allocated once, at its exact length.
    std::size_t length = 0;
    for (HalfWidthWalker walker(text); !walker.atEnd(); walker.advance()) {
        length += walker.character().size();
    }
    TextBuilder builder(length);
    for (HalfWidthWalker walker(text); !walker.atEnd(); walker.advance()) {
        builder.append(walker.character());
    }
    return std::move(builder).finish();
}

namespace {

bool isWhiteSpace(char byte) {
    return byte == '\t' || byte == '\n' || byte == '\v' || byte == '\f' || byte == '\r' ||
           byte == ' ';
}

bool isDigit(char byte) {
    return byte >= '0' && byte <= '9';
}

} // namespace

std::int32_t textToInteger(std::string_view text) {
    // Reads the folded text as it is walked, so no folded copy is made and nothing can run out of
    // memory here.
    HalfWidthWalker walker(text);
    while (isWhiteSpace(walker.firstByte())) {
        walker.advance();
    }
    const bool negative = walker.firstByte() == '-';
    if (negative || walker.firstByte() == '+') {
        walker.advance();
    }
    // Unsigned arithmetic wraps modulo 2^32, which is exactly the rule for long digit strings.
    std::uint32_t value = 0;
    for (; isDigit(walker.firstByte()); walker.advance()) {
        value = value * 10U + static_cast<std::uint32_t>(walker.firstByte() - '0');
    }
    if (negative) {
        value = 0U - value;
    }
    return static_cast<std::int32_t>(value); // two's complement since C++20
}

Text integerToText(std::int32_t value) {
    return Text(DecimalDigits(value).view());
}

Text concatenateTexts(std::initializer_list<std::string_view> parts) {
    std::size_t length = 0;
    for (const std::string_view part : parts) {
        length += textLength(part);
    }
    TextBuilder builder(length);
    for (const std::string_view part : parts) {
        builder.append(part);
    }
    return std::move(builder).finish();
}

std::int32_t realToInteger(double value) {
    // The conversion to an integer type truncates toward zero whatever the rounding mode, so the
    // mode need not be touched. It is only defined for values whose truncation fits, hence the
    // range check first; the comparisons are false for NaN.
    constexpr double twoToThe63 = 9223372036854775808.0;
    const std::int64_t truncated = (value >= -twoToThe63 && value < twoToThe63)
                                       ? static_cast<std::int64_t>(value)
                                       : std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int32_t>(truncated); // keeps the low 32 bits since C++20
}

} // namespace vorlo
