#include "text/fatal_error.h"

#include "text/decimal_digits.h"
#include "text/literals.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace vorlo {

namespace {

FatalErrorHandler installedHandler = nullptr;

} // namespace

void setFatalErrorHandler(FatalErrorHandler handler) {
    installedHandler = handler;
}

void raiseFatalError(std::string_view gbkMessage) {
    if (installedHandler != nullptr) {
        installedHandler(gbkMessage);
    }
    // No handler yet, or one that came back: the program cannot go on either way.
    std::fwrite(gbkMessage.data(), 1, gbkMessage.size(), stderr);
    std::fputc('\n', stderr);
    std::abort();
}

void raiseOutOfMemory(std::int64_t bytesAsked) {
    // Composed on the stack: the heap is what just ran out.
    const DecimalDigits number(bytesAsked);
    char message[literals::allocationFailedBefore.size() + DecimalDigits::maxLength +
                 literals::allocationFailedAfter.size()];
    std::size_t length = 0;
    for (const std::string_view part :
         {literals::allocationFailedBefore, number.view(), literals::allocationFailedAfter}) {
        std::memcpy(message + length, part.data(), part.size());
        length += part.size();
    }
    raiseFatalError({message, length});
}

} // namespace vorlo
