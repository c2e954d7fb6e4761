#include "text/literals.h"
#include "ui/layer/built_window.h"
#include "ui/layer/gbk_codec.h"
#include "ui/layer/period_timer.h"
#include "ui/layer/window_layer.h"
#include "ui/windows/main_window.h"
#include "ui/windows/program_handlers.h"

#include <QApplication>
#include <QCheckBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace vorlo::ui {
namespace {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        layer.setEventHandler([this](Handler handler) {
            raised.push_back({handler, window != nullptr && window->isVisible()});
            handlers.run(handler);
        });
        window = layer.load(mainWindowDescription(), false);
        ASSERT_NE(window, nullptr);
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }

    template <typename T> T* child(std::string_view name) const {
        auto* found =
            window->findChild<T*>(QString::fromLatin1(name.data(), qsizetype(name.size())));
        EXPECT_NE(found, nullptr) << "no control " << name;
        return found;
    }

    QString focusName() const {
        QWidget* focus = QApplication::focusWidget();
        return focus != nullptr ? focus->objectName() : QStringLiteral("(none)");
    }

    struct Raised {
        Handler handler;
        bool windowVisible;
    };

    WindowLayer layer;
    ProgramHandlers handlers{layer};
    std::vector<Raised> raised;
    BuiltWindow* window = nullptr;
};

TEST_F(MainWindowTest, IsFirstShownAtTheLeftEdgeAThirdDownWithItsFixedFrame) {
    // The test screen is 1366 x 768 and has no decorations, so the frame is the widget.
    EXPECT_EQ(window->frameGeometry(), QRect(2, 256, 186, 123));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Vorlo 1.1"));
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(window->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(window->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(window->parentWidget(), nullptr) << "the main window has a task-bar entry";
}

TEST_F(MainWindowTest, WritingLeftOrTopMovesOnlyThatEdgeWithinTheLimit) {
    layer.setWindowLeft(mainWindow::name, 100000);
    EXPECT_EQ(window->frameGeometry(), QRect(32627, 256, 186, 123));
    layer.setWindowTop(mainWindow::name, -100000);
    EXPECT_EQ(window->frameGeometry(), QRect(32627, -32627, 186, 123));
    layer.setWindowLeft(mainWindow::name, 40);
    EXPECT_EQ(window->frameGeometry(), QRect(40, -32627, 186, 123));
}

TEST_F(MainWindowTest, ThePlacingHandlerRunsOnceWhileTheWindowIsHidden) {
    ASSERT_EQ(raised.size(), 1U);
    EXPECT_EQ(raised[0].handler, Handler::placeWindow);
    EXPECT_FALSE(raised[0].windowVisible);
}

struct ControlCase {
    std::string_view name;
    QRect rect;
    const char* utf8Text;
    bool enabled;
};

TEST_F(MainWindowTest, ControlsStandWhereTheDescriptionPutsThem) {
    const ControlCase cases[] = {
        {mainWindow::onTopCheck, {126, 34, 44, 20}, "置顶", true},
        {mainWindow::remainingLabel, {4, 34, 112, 20}, "剩余时间：0秒", true},
        {mainWindow::stopButton, {95, 62, 80, 30}, "停止", false},
        {mainWindow::startButton, {6, 62, 80, 30}, "开始", true},
        {mainWindow::minutesLabel, {94, 6, 55, 20}, "分钟提醒。", true},
        {mainWindow::minutesEdit, {53, 6, 36, 20}, "4", true},
        {mainWindow::everyLabel, {22, 6, 25, 20}, "每隔", true},
    };
    for (const ControlCase& expected : cases) {
        SCOPED_TRACE(std::string(expected.name));
        auto* control = child<QWidget>(expected.name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->geometry(), expected.rect);
        EXPECT_TRUE(control->isVisible());
        EXPECT_EQ(control->isEnabled(), expected.enabled);
        QString text;
        if (auto* label = qobject_cast<QLabel*>(control)) {
            text = label->text();
        } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
            text = button->text();
        } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
            text = edit->text();
        }
        EXPECT_EQ(text, QString::fromUtf8(expected.utf8Text));
    }
    EXPECT_FALSE(child<QCheckBox>(mainWindow::onTopCheck)->isChecked());
    EXPECT_EQ(child<PeriodTimer>(mainWindow::tickTimer)->period(), 0);
    EXPECT_EQ(child<QLineEdit>(mainWindow::minutesEdit)->alignment() & Qt::AlignHCenter,
              Qt::AlignHCenter);
    EXPECT_EQ(child<QLabel>(mainWindow::remainingLabel)->alignment(), Qt::AlignCenter);
}

TEST_F(MainWindowTest, LabelsCheckBoxAndEditBoxUseTheTwelvePixelChineseFace) {
    for (std::string_view name : {mainWindow::remainingLabel, mainWindow::onTopCheck,
                                  mainWindow::minutesEdit, mainWindow::everyLabel}) {
        SCOPED_TRACE(std::string(name));
        const QFont font = child<QWidget>(name)->font();
        EXPECT_EQ(font.pixelSize(), 12);
        // 微软雅黑 where it is installed, else a face that covers Simplified Chinese.
        const QString face = QFontInfo(font).family();
        EXPECT_TRUE(QFontDatabase::writingSystems(face).contains(QFontDatabase::SimplifiedChinese))
            << face.toStdString();
    }
    EXPECT_EQ(child<QWidget>(mainWindow::startButton)->font(), QApplication::font(window));
}

TEST_F(MainWindowTest, TabCyclesThroughTheEnabledButtonsAndTheBoxButNeverTheEditBox) {
    EXPECT_EQ(focusName(), QStringLiteral("startButton"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(focusName(), QStringLiteral("onTopCheck")); // the stop button is disabled
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(focusName(), QStringLiteral("startButton"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(focusName(), QStringLiteral("onTopCheck"));

    // The edit box takes the focus by a click only; from it Tab goes to the first enabled
    // button and Shift+Tab to the box.
    auto* edit = child<QLineEdit>(mainWindow::minutesEdit);
    QTest::mouseClick(edit, Qt::LeftButton);
    EXPECT_EQ(focusName(), QStringLiteral("minutesEdit"));
    QTest::keyClick(edit, Qt::Key_Tab);
    EXPECT_EQ(focusName(), QStringLiteral("startButton"));
    QTest::mouseClick(edit, Qt::LeftButton);
    QTest::keyClick(edit, Qt::Key_Backtab);
    EXPECT_EQ(focusName(), QStringLiteral("onTopCheck"));
}

TEST_F(MainWindowTest, WhileCountingTheCycleIsStopButtonAndBox) {
    QTest::mouseClick(child<QPushButton>(mainWindow::startButton), Qt::LeftButton);
    EXPECT_FALSE(child<QWidget>(mainWindow::startButton)->isEnabled());
    EXPECT_TRUE(child<QWidget>(mainWindow::stopButton)->isEnabled());
    EXPECT_EQ(child<PeriodTimer>(mainWindow::tickTimer)->period(), 1000);

    auto* edit = child<QLineEdit>(mainWindow::minutesEdit);
    QTest::mouseClick(edit, Qt::LeftButton);
    QTest::keyClick(edit, Qt::Key_Tab);
    EXPECT_EQ(focusName(), QStringLiteral("stopButton"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(focusName(), QStringLiteral("onTopCheck"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(focusName(), QStringLiteral("stopButton"));
}

TEST_F(MainWindowTest, EscEnterAndF1CloseNothingAndClickNothing) {
    for (std::string_view name :
         {mainWindow::startButton, mainWindow::onTopCheck, mainWindow::minutesEdit}) {
        SCOPED_TRACE(std::string(name));
        auto* control = child<QWidget>(name);
        control->setFocus();
        for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter, Qt::Key_F1}) {
            QTest::keyClick(control, key);
        }
    }
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(raised.size(), 1U) << "a key ran a handler";
    EXPECT_TRUE(child<QWidget>(mainWindow::startButton)->isEnabled());
    EXPECT_FALSE(child<QCheckBox>(mainWindow::onTopCheck)->isChecked());
}

TEST_F(MainWindowTest, TheBoxMovesTheWindowIntoAndOutOfTheKeepAboveBandInPlace) {
    auto* box = child<QCheckBox>(mainWindow::onTopCheck);
    const QRect before = window->frameGeometry();
    const WId nativeWindow = window->winId();
    for (bool expected : {true, false, true}) {
        QTest::mouseClick(box, Qt::LeftButton);
        EXPECT_EQ(bool(window->windowHandle()->flags() & Qt::WindowStaysOnTopHint), expected);
        EXPECT_EQ(bool(window->windowFlags() & Qt::WindowStaysOnTopHint), expected);
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(window->winId(), nativeWindow) << "the window was re-created";
        EXPECT_EQ(window->frameGeometry(), before);
    }
    // The space bar toggles the box too.
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Space);
    EXPECT_FALSE(window->windowHandle()->flags() & Qt::WindowStaysOnTopHint);
}

TEST_F(MainWindowTest, ACaptionWiderThanTheLabelStaysCentredOnIt) {
    const std::string wide = std::string(literals::remainingPrefix) + "-2147483648" +
                             std::string(literals::remainingSuffix);
    layer.setCaption(mainWindow::name, mainWindow::remainingLabel, wide);
    auto* label = child<QLabel>(mainWindow::remainingLabel);
    EXPECT_EQ(label->text(), fromGbk(wide));
    EXPECT_EQ(label->geometry(), QRect(4, 34, 112, 20)) << "the label follows its text";
}

} // namespace
} // namespace vorlo::ui
