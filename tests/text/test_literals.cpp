#include "gbk_codec.h"
#include "text/literals.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string_view>

namespace vorlo {
namespace {

struct LiteralCase {
    const char* name;
    std::string_view gbk;
    const char* utf8Expected;
};

void PrintTo(const LiteralCase& c, std::ostream* out) {
    *out << c.name;
}

class Literal : public ::testing::TestWithParam<LiteralCase> {};

TEST_P(Literal, DecodesToItsCharacters) {
    EXPECT_EQ(utf8FromGbk(GetParam().gbk), GetParam().utf8Expected);
}

#define LITERAL(name, characters)                                                                  \
    LiteralCase {                                                                                  \
#name, literals::name, characters                                                          \
    }

INSTANTIATE_TEST_SUITE_P(
    Texts, Literal,
    ::testing::Values(LITERAL(mainWindowCaption, "Vorlo 1.1"),
                      LITERAL(reminderWindowCaption, "提醒："), LITERAL(everyLabelText, "每隔"),
                      LITERAL(minutesLabelText, "分钟提醒。"), LITERAL(onTopCheckText, "置顶"),
                      LITERAL(startButtonText, "开始"), LITERAL(stopButtonText, "停止"),
                      LITERAL(uiFontFace, "微软雅黑"), LITERAL(minutesEditText, "4"),
                      LITERAL(remainingIdleCaption, "剩余时间：0秒"),
                      LITERAL(remainingPrefix, "剩余时间："), LITERAL(remainingSuffix, "秒"),
                      LITERAL(yearUnit, "年"), LITERAL(monthUnit, "月"), LITERAL(dayUnit, "日"),
                      LITERAL(hourUnit, "时"), LITERAL(minuteUnit, "分"), LITERAL(secondUnit, "秒"),
                      LITERAL(errorBoxTitle, "错误"), LITERAL(errorBoxHeading, "运行时出错!"),
                      LITERAL(errorBoxMessageLabel, "错误信息："),
                      LITERAL(startupWindowFailed, "载入启动窗口失败"),
                      LITERAL(allocationFailedBefore, "分配 "),
                      LITERAL(allocationFailedAfter, " 字节内存失败!")),
    [](const auto& info) { return std::string(info.param.name); });

#undef LITERAL

} // namespace
} // namespace vorlo
