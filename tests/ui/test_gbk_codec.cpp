#include "text/literals.h"
#include "ui/layer/gbk_codec.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace vorlo::ui {
namespace {

TEST(GbkCodecTest, EveryLiteralTextDecodesToTheCharactersItIsMeantToBe) {
    const std::pair<std::string_view, const char*> literals[] = {
        {literals::mainWindowCaption, "Vorlo 1.1"},
        {literals::reminderWindowCaption, "提醒："},
        {literals::everyLabelText, "每隔"},
        {literals::minutesLabelText, "分钟提醒。"},
        {literals::onTopCheckText, "置顶"},
        {literals::startButtonText, "开始"},
        {literals::stopButtonText, "停止"},
        {literals::uiFontFace, "微软雅黑"},
        {literals::minutesEditText, "4"},
        {literals::remainingIdleCaption, "剩余时间：0秒"},
        {literals::remainingPrefix, "剩余时间："},
        {literals::remainingSuffix, "秒"},
        {literals::yearUnit, "年"},
        {literals::monthUnit, "月"},
        {literals::dayUnit, "日"},
        {literals::hourUnit, "时"},
        {literals::minuteUnit, "分"},
        {literals::secondUnit, "秒"},
        {literals::errorBoxTitle, "错误"},
        {literals::errorBoxHeading, "运行时出错!"},
        {literals::errorBoxMessageLabel, "错误信息："},
        {literals::startupWindowFailed, "载入启动窗口失败"},
        {literals::allocationFailedBefore, "分配 "},
        {literals::allocationFailedAfter, " 字节内存失败!"},
    };
    for (const auto& [gbk, utf8] : literals) {
        EXPECT_EQ(fromGbk(gbk), QString::fromUtf8(utf8));
    }
}

// Every two-byte GBK character survives the trip to the toolkit's Unicode and back.
TEST(GbkCodecTest, EveryTwoByteCharacterRoundTrips) {
    int characters = 0;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F) {
                continue;
            }
            const std::string bytes{char(lead), char(trail)};
            const QString decoded = fromGbk(bytes);
            if (decoded == QString(QChar::ReplacementCharacter) || decoded.size() != 1) {
                continue; // an unassigned code
            }
            ++characters;
            ASSERT_EQ(toGbk(decoded).bytes(), bytes) << std::hex << lead << ' ' << trail;
        }
    }
    EXPECT_GT(characters, 21000) << "GBK assigns 21886 two-byte characters";
}

TEST(GbkCodecTest, ACharacterGbkCannotHoldBecomesOneQuestionMarkAndTheRestIsKept) {
    const QString typed = QString::fromUtf8("1\xF0\x9F\x98\x80" "2\xE2\x82\xA9分");
    EXPECT_EQ(toGbk(typed).bytes(), std::string_view("1?2?\xB7\xD6"));
}

} // namespace
} // namespace vorlo::ui
