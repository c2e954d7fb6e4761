#include "ui/layer/built_window.h"
#include "ui/layer/window_layer.h"
#include "ui/windows/main_window.h"
#include "ui/windows/program_handlers.h"
#include "ui/windows/reminder_window.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace vorlo::ui {
namespace {

class ReminderWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        layer.setEventHandler([this](Handler handler) { handlers.run(handler); });
        mainWindow = layer.load(mainWindowDescription(), false);
        ASSERT_NE(mainWindow, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(mainWindow));
    }

    BuiltWindow* openReminder() {
        EXPECT_TRUE(layer.openModal(reminderWindowDescription()));
        return layer.loadedWindow(reminderWindow::name);
    }

    WindowLayer layer;
    ProgramHandlers handlers{layer};
    BuiltWindow* mainWindow = nullptr;
};

TEST_F(ReminderWindowTest, OpensCentredAboveOwnedAndShowingWhenItOpened) {
    BuiltWindow* reminder = openReminder();
    ASSERT_NE(reminder, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(reminder));
    // (1366 - 200) / 2 and (768 - 100) / 2 on the test screen.
    EXPECT_EQ(reminder->frameGeometry(), QRect(583, 334, 200, 100));
    EXPECT_EQ(reminder->windowTitle(), QString::fromUtf8("提醒："));
    EXPECT_TRUE(reminder->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(mainWindow->windowFlags() & Qt::WindowStaysOnTopHint);
    // Owned by the hidden owner window, which keeps it out of the task bar.
    ASSERT_NE(reminder->parentWidget(), nullptr);
    EXPECT_FALSE(reminder->parentWidget()->isVisible());

    auto* label = reminder->findChild<QLabel*>(QStringLiteral("timeLabel"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->geometry(), QRect(-1, -1, 195, 73));
    EXPECT_EQ(label->alignment(), Qt::AlignCenter);
    EXPECT_TRUE(label->text().contains(QString::fromUtf8("年"))) << label->text().toStdString();
    EXPECT_TRUE(QTest::qWaitForWindowActive(reminder));
}

TEST_F(ReminderWindowTest, DisablesTheMainWindowUntilItClosesAndThenGivesItsStateBack) {
    BuiltWindow* reminder = openReminder();
    EXPECT_FALSE(mainWindow->isEnabled());
    // A click on the disabled window does nothing.
    auto* start = mainWindow->findChild<QPushButton*>(QStringLiteral("startButton"));
    QTest::mouseClick(start, Qt::LeftButton);
    EXPECT_TRUE(start->isEnabledTo(mainWindow))
        << "the start button was clicked through the reminder";

    ASSERT_TRUE(reminder->close());
    EXPECT_TRUE(mainWindow->isEnabled());
    // The buttons keep their own states across the disabled spell.
    EXPECT_TRUE(start->isEnabled());
    EXPECT_FALSE(mainWindow->findChild<QWidget*>(QStringLiteral("stopButton"))->isEnabled());
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(layer.loadedWindow(reminderWindow::name), nullptr);
}

TEST_F(ReminderWindowTest, AWindowDisabledBeforeTheOpenStaysDisabledAfterIt) {
    mainWindow->setEnabled(false);
    BuiltWindow* reminder = openReminder();
    reminder->close();
    EXPECT_FALSE(mainWindow->isEnabled());
}

TEST_F(ReminderWindowTest, ASecondOpenBringsBackTheSameWindowWithItsFirstTime) {
    BuiltWindow* reminder = openReminder();
    auto* label = reminder->findChild<QLabel*>(QStringLiteral("timeLabel"));
    label->setText(QStringLiteral("first opening")); // stands in for the time it was built
    reminder->showMinimized();

    EXPECT_EQ(openReminder(), reminder);
    EXPECT_FALSE(reminder->isMinimized());
    EXPECT_EQ(label->text(), QStringLiteral("first opening"));
    int reminders = 0;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        reminders += top->objectName() == QStringLiteral("ReminderWindow") ? 1 : 0;
    }
    EXPECT_EQ(reminders, 1);
}

TEST_F(ReminderWindowTest, AClosedMainWindowIsRefusedWhileTheReminderIsOpen) {
    BuiltWindow* reminder = openReminder();
    EXPECT_FALSE(mainWindow->close());
    EXPECT_TRUE(mainWindow->isVisible());
    EXPECT_TRUE(QTest::qWaitForWindowActive(reminder)) << "the reminder did not come forward";
    reminder->close();
    EXPECT_TRUE(mainWindow->close()) << "the main window still refuses after the reminder closed";
}

} // namespace
} // namespace vorlo::ui
