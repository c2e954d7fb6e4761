#include "gbk_codec.h"

#include <cstdint>
#include <iconv.h>
#include <stdexcept>

namespace {

std::string convert(std::string_view input, const char* from, const char* to) {
    const iconv_t converter = iconv_open(to, from);
    if (converter == reinterpret_cast<iconv_t>(static_cast<std::intptr_t>(-1))) {
        throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " + to);
    }
    std::string output(input.size() * 4, '\0'); // enough for either direction
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    char* out = output.data();
    std::size_t outLeft = output.size();
    const std::size_t converted = iconv(converter, &in, &inLeft, &out, &outLeft);
    iconv_close(converter);
    if (converted == static_cast<std::size_t>(-1)) {
        throw std::invalid_argument(std::string("not a valid ") + from + " text");
    }
    output.resize(output.size() - outLeft);
    return output;
}

} // namespace

std::string gbkFromUtf8(std::string_view utf8) {
    return convert(utf8, "UTF-8", "GBK");
}

std::string utf8FromGbk(std::string_view gbk) {
    return convert(gbk, "GBK", "UTF-8");
}
