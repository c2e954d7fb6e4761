#include "app/program_entry.h"

#include "app/exit_routines.h"
#include "app/fatal_error_report.h"
#include "text/fatal_error.h"
#include "text/literals.h"
#include "ui/layer/window_layer.h"
#include "ui/windows/main_window.h"
#include "ui/windows/program_handlers.h"

#include <QApplication>

#include <cfenv>

namespace vorlo::app {

namespace {

// The program's only program-wide data is the countdown, which needs no set-up and holds nothing
// to release; these are where such work would go.
void initialiseProgramData() {}
void releaseProgramData() {}

void loadStartupWindow(ui::WindowLayer& layer, const ui::WindowDescription& description) {
    if (layer.load(description, false) == nullptr) {
        reportFatalError(literals::startupWindowFailed);
    }
}

int runEventLoop(ui::WindowLayer& layer) {
    layer.markLoopStarted();
    if (!layer.hasLoadedWindows()) {
        return 0;
    }
    return QApplication::exec();
}

} // namespace

int programEntry(const char* programPath) {
    // The toolkit would take options such as -style or -geometry from the command line; it is
    // given the program's path alone, so nothing on the command line changes anything.
    int toolkitArgc = 1;
    char* toolkitArgv[] = {const_cast<char*>(programPath), nullptr};
    QApplication application(toolkitArgc, toolkitArgv);
    // The window layer decides when the program ends: when its last loaded window has gone.
    QApplication::setQuitOnLastWindowClosed(false);

    ExitRoutines exitRoutines;
    setFatalErrorHandler(&reportFatalError);
    ui::WindowLayer layer;
    attachFatalErrorReport(&layer, &exitRoutines);

    // Round to nearest with every floating-point exception masked, whatever the process inherited.
    std::fesetenv(FE_DFL_ENV);
    initialiseProgramData();
    exitRoutines.registerExitRoutine(&releaseProgramData);

    ui::ProgramHandlers handlers(layer);
    layer.setEventHandler([&handlers](ui::Handler handler) { handlers.run(handler); });
    loadStartupWindow(layer, ui::mainWindowDescription());
    runEventLoop(layer);

    // The ordinary end: no handler runs any more, then the exit routines in order.
    layer.suppressEventsForGood();
    exitRoutines.runAll();
    attachFatalErrorReport(nullptr, nullptr);
    return 0;
}

} // namespace vorlo::app
