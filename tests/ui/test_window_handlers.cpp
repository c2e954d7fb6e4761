#include "text/conversions.h"
#include "ui/window_properties.h"
#include "ui/windows/main_window.h"
#include "ui/windows/reminder_window.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

namespace vorlo::ui {
namespace {

using ::testing::ElementsAre;

// Records the property writes of the handlers, in order.
class RecordingProperties final : public WindowProperties {
public:
    std::int32_t width = 1920;
    std::int32_t height = 1080;
    bool boxChecked = false;
    std::vector<std::string> writes;
    std::string lastCaption;

    std::int32_t screenWidth() const override { return width; }
    std::int32_t screenHeight() const override { return height; }
    void setWindowLeft(std::string_view window, std::int32_t left) override {
        writes.push_back(std::string(window) + " left " + std::to_string(left));
    }
    void setWindowTop(std::string_view window, std::int32_t top) override {
        writes.push_back(std::string(window) + " top " + std::to_string(top));
    }
    void setAlwaysOnTop(std::string_view window, bool onTop) override {
        writes.push_back(std::string(window) + (onTop ? " on top" : " not on top"));
    }
    bool checked(std::string_view, std::string_view control) const override {
        return control == mainWindow::onTopCheck && boxChecked;
    }
    Text text(std::string_view, std::string_view) const override { return {}; }
    void setCaption(std::string_view window, std::string_view control,
                    std::string_view caption) override {
        writes.push_back(std::string(window) + " " + std::string(control) + " caption");
        lastCaption = caption;
    }
    void setDisabled(std::string_view, std::string_view, bool) override {}
    void setTimerPeriod(std::string_view, std::string_view, std::int32_t) override {}
    bool openModal(const WindowDescription&) override { return false; }
};

class PlaceWindowTest : public ::testing::TestWithParam<std::pair<std::int32_t, std::int32_t>> {};

TEST_P(PlaceWindowTest, PutsTheFrameAThirdDownTopFirstThenLeft) {
    RecordingProperties windows;
    windows.height = GetParam().first;
    placeWindow(windows);
    EXPECT_THAT(windows.writes, ElementsAre("MainWindow top " + std::to_string(GetParam().second),
                                            "MainWindow left 2"));
}

INSTANTIATE_TEST_SUITE_P(ScreenHeights, PlaceWindowTest,
                         ::testing::Values(std::pair{600, 200}, std::pair{720, 240},
                                           std::pair{768, 256}, std::pair{800, 266},
                                           std::pair{900, 300}, std::pair{1024, 341},
                                           std::pair{1080, 360}, std::pair{1200, 400},
                                           std::pair{1440, 480}, std::pair{2160, 720}));

TEST(ApplyAlwaysOnTopTest, FollowsTheBoxEachTime) {
    RecordingProperties windows;
    for (bool state : {true, false, true}) {
        windows.boxChecked = state;
        applyAlwaysOnTop(windows);
    }
    EXPECT_THAT(windows.writes,
                ElementsAre("MainWindow on top", "MainWindow not on top", "MainWindow on top"));
}

TEST(FillTimeLabelTest, WritesTheLocalDateAndTimeOnce) {
    RecordingProperties windows;
    fillTimeLabel(windows);
    ASSERT_THAT(windows.writes, ElementsAre("ReminderWindow timeLabel caption"));
    // Year, month and day with their units, then as much of the time as is not zero.
    const std::regex dateTimeText(
        "[0-9]{3,4}\xC4\xEA[0-9]{1,2}\xD4\xC2[0-9]{1,2}\xC8\xD5"
        "([0-9]{1,2}\xCA\xB1([0-9]{1,2}\xB7\xD6([0-9]{1,2}\xC3\xEB)?)?)?");
    EXPECT_TRUE(std::regex_match(windows.lastCaption, dateTimeText)) << windows.lastCaption;
}

} // namespace
} // namespace vorlo::ui
