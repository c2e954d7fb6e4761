#include "countdown/countdown_controller.h"
#include "text/literals.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vorlo {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

std::string caption(std::string_view count) {
    return std::string(literals::remainingPrefix) + std::string(count) +
           std::string(literals::remainingSuffix);
}

// Records every effect on the main window, in order, as readable lines.
class RecordingWindow final : public CountdownWindow {
public:
    std::string minutes = "4";
    std::vector<std::string> effects;
    int remindersOpen = 0;
    std::int32_t period = 0;

    Text minutesText() const override { return Text(minutes); }
    void setRemainingCaption(std::string_view gbkCaption) override {
        effects.push_back("caption " + std::string(gbkCaption));
    }
    void setStartDisabled(bool disabled) override {
        effects.push_back(disabled ? "start disabled" : "start enabled");
    }
    void setStopDisabled(bool disabled) override {
        effects.push_back(disabled ? "stop disabled" : "stop enabled");
    }
    void setTickPeriod(std::int32_t milliseconds) override {
        period = milliseconds;
        effects.push_back("period " + std::to_string(milliseconds));
    }
    bool openReminder() override {
        ++remindersOpen;
        effects.push_back("open reminder");
        return true;
    }
};

class CountdownControllerTest : public ::testing::Test {
protected:
    RecordingWindow window;
    CountdownController controller{window};

    void ticks(int count) {
        for (int i = 0; i < count; ++i) {
            controller.tick();
        }
    }
};

TEST_F(CountdownControllerTest, StartsIdleWithNothingWritten) {
    EXPECT_EQ(controller.remainingSeconds(), 0);
    EXPECT_THAT(window.effects, IsEmpty());
}

TEST_F(CountdownControllerTest, StartSwapsTheButtonsThenSetsTheCountThenStartsTheTimer) {
    controller.start();
    EXPECT_EQ(controller.remainingSeconds(), 240);
    EXPECT_THAT(window.effects, ElementsAre("start disabled", "stop enabled", "period 1000"));
}

TEST_F(CountdownControllerTest, StopStopsTheTimerAndResetsTheCaptionBeforeTheButtons) {
    controller.start();
    ticks(5);
    window.effects.clear();
    controller.stop();
    EXPECT_EQ(controller.remainingSeconds(), 0);
    EXPECT_THAT(window.effects,
                ElementsAre("period 0", "caption " + std::string(literals::remainingIdleCaption),
                            "start enabled", "stop disabled"));
}

TEST_F(CountdownControllerTest, TicksShowTheSecondsLeftAndTheZeroTickOpensTheReminder) {
    controller.start();
    window.effects.clear();
    controller.tick();
    EXPECT_THAT(window.effects, ElementsAre("caption " + caption("239")));

    ticks(238); // down to 1
    EXPECT_EQ(window.effects.back(), "caption " + caption("1"));
    window.effects.clear();

    // The 240th tick restarts the interval and opens the reminder without touching the label,
    // which still shows 1.
    controller.tick();
    EXPECT_EQ(controller.remainingSeconds(), 240);
    EXPECT_THAT(window.effects, ElementsAre("open reminder"));

    window.effects.clear();
    controller.tick();
    EXPECT_THAT(window.effects, ElementsAre("caption " + caption("239")));
}

TEST_F(CountdownControllerTest, TheIntervalIsReadAfreshAtEveryZero) {
    controller.start();
    window.minutes = "1"; // typed while counting: the running interval is unchanged
    ticks(239);
    EXPECT_EQ(controller.remainingSeconds(), 1);
    controller.tick();
    EXPECT_EQ(window.remindersOpen, 1);
    EXPECT_EQ(controller.remainingSeconds(), 60);
}

TEST_F(CountdownControllerTest, ARemovedIntervalOpensOneLastReminderThenCountsIntoTheNegative) {
    controller.start();
    window.minutes.clear();
    ticks(240);
    EXPECT_EQ(window.remindersOpen, 1);
    window.effects.clear();
    ticks(2);
    EXPECT_THAT(window.effects,
                ElementsAre("caption " + caption("-1"), "caption " + caption("-2")));
}

TEST_F(CountdownControllerTest, StartWhileCountingRestartsTheCountAndRewritesTheSamePeriod) {
    controller.start();
    ticks(10);
    window.effects.clear();
    controller.start();
    EXPECT_EQ(controller.remainingSeconds(), 240);
    // The period written is the one the timer has, which keeps its phase.
    EXPECT_THAT(window.effects, ElementsAre("start disabled", "stop enabled", "period 1000"));
}

TEST_F(CountdownControllerTest, StopThenStartBeginsAFreshInterval) {
    controller.start();
    ticks(100);
    controller.stop();
    window.minutes = "2";
    controller.start();
    EXPECT_EQ(controller.remainingSeconds(), 120);
    EXPECT_EQ(window.period, 1000);
}

struct IntervalCase {
    const char* minutes;
    std::int32_t seconds;
    const char* firstTickCount;
};

class IntervalTest : public CountdownControllerTest,
                     public ::testing::WithParamInterface<IntervalCase> {};

TEST_P(IntervalTest, StartTurnsTheBoxIntoSecondsAndTheFirstTickShowsOneLess) {
    window.minutes = GetParam().minutes;
    controller.start();
    EXPECT_EQ(controller.remainingSeconds(), GetParam().seconds);
    window.effects.clear();
    controller.tick();
    EXPECT_THAT(window.effects, ElementsAre("caption " + caption(GetParam().firstTickCount)));
}

INSTANTIATE_TEST_SUITE_P(Intervals, IntervalTest,
                         ::testing::Values(IntervalCase{"4", 240, "239"}, IntervalCase{"", 0, "-1"},
                                           IntervalCase{"abc", 0, "-1"}, IntervalCase{"0", 0, "-1"},
                                           IntervalCase{"-2", -120, "-121"},
                                           IntervalCase{"\xA3\xB1", 60, "59"}, // full-width 1
                                           IntervalCase{"35791394", 2147483640, "2147483639"},
                                           IntervalCase{"35791395", -2147483596, "-2147483597"}));

TEST_F(CountdownControllerTest, TheSmallestCountWrapsToTheLargest) {
    window.minutes = "-35791394"; // -2147483640 seconds
    controller.start();
    ticks(8);
    EXPECT_EQ(controller.remainingSeconds(), -2147483647 - 1);
    controller.tick();
    EXPECT_EQ(controller.remainingSeconds(), 2147483647);
    EXPECT_EQ(window.remindersOpen, 0);
}

TEST_F(CountdownControllerTest, AReminderLeftOpenIsAskedForAgainAtEveryZero) {
    window.minutes = "1";
    controller.start();
    ticks(120);
    EXPECT_EQ(window.remindersOpen, 2);
    EXPECT_EQ(controller.remainingSeconds(), 60);
}

} // namespace
} // namespace vorlo
