#pragma once

#include "text/text.h"

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string_view>

namespace vorlo {

// Number of bytes before the terminating zero.
std::size_t textLength(std::string_view text);

// Folds the full-width forms of GBK (digits, letters, signs, ideographic space) to their one-byte
// counterparts; every other character is copied. An incomplete trailing lead byte is dropped.
Text toHalfWidth(std::string_view text);

// Reads an optionally signed decimal number after leading white space; the rest is ignored.
// Digits wrap modulo 2^32 instead of failing, and a text without digits reads as 0.
std::int32_t textToInteger(std::string_view text);

// The decimal form of the value, as printf's "%d" writes it.
Text integerToText(std::int32_t value);

// The parts joined in order, built in one allocation.
Text concatenateTexts(std::initializer_list<std::string_view> parts);

// Truncates toward zero, keeps the low 32 bits; NaN, infinities and values beyond the 64-bit
// range read as -2^63 first (so they give 0). Independent of the rounding mode in force.
std::int32_t realToInteger(double value);

} // namespace vorlo
