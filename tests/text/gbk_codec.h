#pragma once

#include <string>
#include <string_view>

// Conversions between GBK and UTF-8 through the C library's iconv, so tests can write texts as the
// characters they are and compare results as characters. Both throw when a text does not convert.
std::string gbkFromUtf8(std::string_view utf8);
std::string utf8FromGbk(std::string_view gbk);
