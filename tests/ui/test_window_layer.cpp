#include "ui/layer/built_window.h"
#include "ui/layer/period_timer.h"
#include "ui/layer/window_layer.h"

#include <QApplication>
#include <QCheckBox>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace vorlo::ui {
namespace {

// A window of its own that exercises the layer rather than the program's windows.
constexpr std::array probeControls{
    ControlDescription{.name = "checkedBox",
                       .kind = ControlKind::checkBox,
                       .rect = {0, 0, 50, 20},
                       .focusable = true,
                       .checked = true,
                       .event = Handler::applyAlwaysOnTop},
    ControlDescription{.name = "late",
                       .kind = ControlKind::pushButton,
                       .rect = {0, 20, 50, 20},
                       .focusable = true,
                       .tabOrder = 2},
    ControlDescription{.name = "early",
                       .kind = ControlKind::pushButton,
                       .rect = {0, 40, 50, 20},
                       .focusable = true,
                       .tabOrder = 1},
    ControlDescription{
        .name = "timer", .kind = ControlKind::timer, .visible = false, .event = Handler::tick},
};

constexpr WindowDescription probe{.name = "Probe",
                                  .frame = {10, 10, 120, 90},
                                  .background = {.red = 10, .green = 20, .blue = 30},
                                  .created = Handler::start,
                                  .controls = probeControls};

class WindowLayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        layer.setEventHandler([this](Handler handler) { raised.push_back(handler); });
    }

    WindowLayer layer;
    std::vector<Handler> raised;
};

TEST_F(WindowLayerTest, TheBuildRaisesOnlyTheCreatedEvent) {
    BuiltWindow* window = layer.load(probe, false);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(raised, std::vector<Handler>{Handler::start});
    EXPECT_TRUE(window->findChild<QCheckBox*>(QStringLiteral("checkedBox"))->isChecked());
    EXPECT_EQ(window->palette().color(QPalette::Window), QColor(10, 20, 30));
    EXPECT_EQ(window->frameGeometry(), QRect(10, 10, 120, 90)) << "placed as stored";
    // The icon is decoded by the layer itself: a wrong format name would leave it empty.
    const QImage icon = QApplication::windowIcon().pixmap(32, 32).toImage();
    ASSERT_EQ(icon.size(), QSize(32, 32));
    EXPECT_EQ(icon.pixelColor(0, 0), QColor(24, 128, 132)) << "the teal tile in the corner";
}

TEST_F(WindowLayerTest, TabOrderValuesOrderTheCycleBeforeListOrder) {
    BuiltWindow* window = layer.load(probe, false);
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("checkedBox"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("early"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("late"));
}

TEST_F(WindowLayerTest, NoHandlerRunsOnceTheEndHasBegun) {
    BuiltWindow* window = layer.load(probe, false);
    raised.clear();
    layer.suppressEventsForGood();
    QTest::mouseClick(window->findChild<QCheckBox*>(QStringLiteral("checkedBox")), Qt::LeftButton);
    EXPECT_TRUE(raised.empty());
}

TEST_F(WindowLayerTest, ThePeriodKeepsItsPhaseWhenRewrittenAndReadsNegativeAsStopped) {
    layer.load(probe, false);
    PeriodTimer* timer = layer.loadedWindow("Probe")->timer("timer");
    ASSERT_NE(timer, nullptr);
    QSignalSpy elapsed(timer, &PeriodTimer::elapsed);

    // Rewritten after 250 ms of a 400 ms period, the timer still fires at 400 ms, not at 650.
    layer.setTimerPeriod("Probe", "timer", 400);
    QTest::qWait(250);
    layer.setTimerPeriod("Probe", "timer", 400);
    QTest::qWait(250);
    EXPECT_EQ(elapsed.count(), 1) << "rewriting the period restarted the timer";

    layer.setTimerPeriod("Probe", "timer", -5);
    EXPECT_EQ(timer->period(), 0);
    elapsed.clear();
    QTest::qWait(500);
    EXPECT_EQ(elapsed.count(), 0);
}

TEST_F(WindowLayerTest, TheLastWindowClosedEndsTheLoopOnlyOnceItHasStarted) {
    BuiltWindow* window = layer.load(probe, false);
    window->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(layer.hasLoadedWindows());

    // Started: the loop ends with status 0 when the window goes.
    window = layer.load(probe, false);
    layer.markLoopStarted();
    QTimer::singleShot(0, window, &QWidget::close);
    QTimer neverEnding;
    neverEnding.callOnTimeout([] { QCoreApplication::exit(99); });
    neverEnding.start(5000);
    EXPECT_EQ(QApplication::exec(), 0);
}

} // namespace
} // namespace vorlo::ui
