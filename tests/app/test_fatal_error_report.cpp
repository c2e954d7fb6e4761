#include "app/exit_routines.h"
#include "app/fatal_error_report.h"
#include "text/fatal_error.h"
#include "text/literals.h"
#include "ui/layer/window_layer.h"
#include "ui/windows/main_window.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace vorlo::app {
namespace {

// Runs in the child process of a death test: reads the box as the user sees it, writes it to
// stderr for the parent to match, and dismisses it.
void dismissTheBoxWhenItShows() {
    // Only what this test writes reaches stderr.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    // Long enough for a running one-millisecond timer to have fired many times.
    QTimer::singleShot(50, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            std::fputs("no box\n", stderr);
            std::_Exit(3);
        }
        std::fprintf(stderr, "title[%s] icon[%d] buttons[%d] text[%s]\n",
                     qPrintable(box->windowTitle()), int(box->icon()), int(box->standardButtons()),
                     qPrintable(box->text()));
        box->accept();
    });
}

// Either would end the child with a status of its own instead of the report's.
constexpr int exitRoutineRan = 4;
constexpr int handlerRan = 5;
void exitRoutineThatMustNotRun() {
    std::_Exit(exitRoutineRan);
}

TEST(FatalErrorReportDeathTest, ShowsTheOneBoxThenEndsWithStatusMinusOne) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::string expected = "title\\[错误\\] icon\\[3\\] buttons\\[1024\\] "
                                 "text\\[运行时出错!\n\n错误信息：载入启动窗口失败\n\\]";
    EXPECT_EXIT(
        {
            dismissTheBoxWhenItShows();
            reportFatalError(literals::startupWindowFailed);
        },
        ::testing::ExitedWithCode(255), expected);
}

TEST(FatalErrorReportDeathTest, RunsNoExitRoutineAndNoHandlerWhileTheBoxIsUp) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            ExitRoutines routines;
            routines.registerExitRoutine(&exitRoutineThatMustNotRun);
            ui::WindowLayer layer;
            attachFatalErrorReport(&layer, &routines);
            setFatalErrorHandler(&reportFatalError);
            layer.load(ui::mainWindowDescription(), false);
            layer.setEventHandler([](ui::Handler) { std::_Exit(handlerRan); });
            layer.setTimerPeriod(ui::mainWindow::name, ui::mainWindow::tickTimer, 1);
            dismissTheBoxWhenItShows();
            // An error raised deep in the program (here, running out of memory) takes this path.
            raiseOutOfMemory(12345);
        },
        ::testing::ExitedWithCode(255), "错误信息：分配 12345 字节内存失败!\n\\]");
}

} // namespace
} // namespace vorlo::app
