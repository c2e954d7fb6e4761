#include "allocation_control.h"
#include "gbk_codec.h"
#include "text/conversions.h"
#include "text/date_time.h"
#include "text/fatal_error.h"
#include "text/literals.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <ostream>
#include <string>

namespace vorlo {
namespace {

// The report must not return; the test's handler unwinds back into the test with this.
struct OutOfMemoryReported {};

std::string reportedMessage;

void recordAndUnwind(std::string_view gbkMessage) {
    reportedMessage.assign(gbkMessage);
    throw OutOfMemoryReported();
}

// Every result below is longer than a std::string holds without a block of its own.
const std::string hundredBytes(100, 'x');
const std::string twentyFullWidthDigits = gbkFromUtf8("１２３４５６７８９０１２３４５６７８９０");
const DateTime reminderTime = 41986 + 35652 / 86400.0; // 2014-12-13 09:54:12

struct ResultCase {
    const char* operation;
    std::function<Text()> build;
    int bytesAsked; // the result's length plus its terminating zero
};

void PrintTo(const ResultCase& c, std::ostream* out) {
    *out << c.operation;
}

class ResultText : public ::testing::TestWithParam<ResultCase> {
protected:
    void SetUp() override { setFatalErrorHandler(&recordAndUnwind); }
    void TearDown() override {
        allocation_control::cancel();
        setFatalErrorHandler(nullptr);
    }
};

TEST_P(ResultText, IsBuiltInOneAllocationOfItsLengthPlusOne) {
    allocation_control::resetCount();
    const Text result = GetParam().build();
    EXPECT_EQ(allocation_control::count(), 1U);
    EXPECT_EQ(result.size() + 1, static_cast<std::size_t>(GetParam().bytesAsked));
}

TEST_P(ResultText, ReportsTheBytesAskedForWhenMemoryRunsOut) {
    reportedMessage.clear();
    allocation_control::failNextAllocation();
    EXPECT_THROW(GetParam().build(), OutOfMemoryReported);
    EXPECT_EQ(utf8FromGbk(reportedMessage),
              "分配 " + std::to_string(GetParam().bytesAsked) + " 字节内存失败!");
}

// integerToText is not here: its at most 11 bytes fit inside the std::string itself, so it never
// allocates.
const ResultCase resultCases[] = {
    {"Text", [] { return Text(hundredBytes); }, 101},
    {"toHalfWidth", [] { return toHalfWidth(twentyFullWidthDigits); }, 21},
    {"concatenateTexts",
     [] {
         return concatenateTexts(
             {literals::remainingPrefix, "1234567890", literals::remainingSuffix});
     },
     23},
    {"dateTimeToText", [] { return dateTimeToText(reminderTime); }, 26},
};

INSTANTIATE_TEST_SUITE_P(Operations, ResultText, ::testing::ValuesIn(resultCases),
                         [](const auto& info) { return std::string(info.param.operation); });

TEST(TextToIntegerMemory, NeedsNoAllocation) {
    allocation_control::resetCount();
    const std::int32_t value = textToInteger(twentyFullWidthDigits);
    EXPECT_EQ(allocation_control::count(), 0U);
    EXPECT_EQ(value, -350287150);
}

} // namespace
} // namespace vorlo
