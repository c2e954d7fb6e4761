#pragma once

#include <cstdint>
#include <string_view>

namespace vorlo {

// The one way out of a failure the program cannot go on from. The application installs the
// handler that reports it to the user and ends the process; the handler must not return.
using FatalErrorHandler = void (*)(std::string_view gbkMessage);

void setFatalErrorHandler(FatalErrorHandler handler);

[[noreturn]] void raiseFatalError(std::string_view gbkMessage);

// "分配 N 字节内存失败!" with the number of bytes that could not be obtained.
[[noreturn]] void raiseOutOfMemory(std::int64_t bytesAsked);

} // namespace vorlo
