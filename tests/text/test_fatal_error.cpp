#include "gbk_codec.h"
#include "text/fatal_error.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <ostream>
#include <string>

namespace vorlo {
namespace {

// The report must not return; the test's handler records the message and unwinds with this.
struct FatalErrorReported {};

std::string reportedMessage;

void recordAndUnwind(std::string_view gbkMessage) {
    reportedMessage.assign(gbkMessage);
    throw FatalErrorReported();
}

// Installs the recording handler for the life of a test.
struct RecordingHandler {
    RecordingHandler() {
        reportedMessage.clear();
        setFatalErrorHandler(&recordAndUnwind);
    }
    ~RecordingHandler() { setFatalErrorHandler(nullptr); }
};

TEST(FatalError, GoesToTheInstalledHandler) {
    const RecordingHandler handler;
    EXPECT_THROW(raiseFatalError("\xB4\xED"), FatalErrorReported);
    EXPECT_EQ(reportedMessage, "\xB4\xED");
}

struct OutOfMemoryCase {
    std::int64_t bytesAsked;
    const char* utf8Expected;
};

void PrintTo(const OutOfMemoryCase& c, std::ostream* out) {
    *out << c.bytesAsked;
}

class OutOfMemoryMessage : public ::testing::TestWithParam<OutOfMemoryCase> {
protected:
    const RecordingHandler handler_;
};

TEST_P(OutOfMemoryMessage, NamesTheBytesAskedFor) {
    EXPECT_THROW(raiseOutOfMemory(GetParam().bytesAsked), FatalErrorReported);
    EXPECT_EQ(utf8FromGbk(reportedMessage), GetParam().utf8Expected);
}

const OutOfMemoryCase outOfMemoryCases[] = {
    {1, "分配 1 字节内存失败!"},
    {26, "分配 26 字节内存失败!"},
    {4294967296, "分配 4294967296 字节内存失败!"},
    {std::numeric_limits<std::int64_t>::max(), "分配 9223372036854775807 字节内存失败!"},
};

INSTANTIATE_TEST_SUITE_P(Sizes, OutOfMemoryMessage, ::testing::ValuesIn(outOfMemoryCases));

void returnWithoutStopping(std::string_view) {}

TEST(FatalErrorDeathTest, WithoutAHandlerWritesTheMessageAndAborts) {
    setFatalErrorHandler(nullptr);
    EXPECT_DEATH(raiseFatalError("no way on"), "no way on");
}

TEST(FatalErrorDeathTest, AbortsWhenTheHandlerReturns) {
    setFatalErrorHandler(&returnWithoutStopping);
    EXPECT_DEATH(raiseOutOfMemory(26), " 26 ");
    setFatalErrorHandler(nullptr);
}

} // namespace
} // namespace vorlo
