#include "ui/windows/program_handlers.h"

#include "ui/windows/main_window.h"
#include "ui/windows/reminder_window.h"

namespace vorlo::ui {

ProgramHandlers::ProgramHandlers(WindowProperties& windows)
    : windows_(windows)
    , countdownWindow_(windows)
    , countdown_(countdownWindow_) {}

void ProgramHandlers::run(Handler handler) {
    switch (handler) {
    case Handler::none:
        return;
    case Handler::placeWindow:
        return placeWindow(windows_);
    case Handler::applyAlwaysOnTop:
        return applyAlwaysOnTop(windows_);
    case Handler::start:
        return countdown_.start();
    case Handler::stop:
        return countdown_.stop();
    case Handler::tick:
        return countdown_.tick();
    case Handler::fillTimeLabel:
        return fillTimeLabel(windows_);
    }
}

} // namespace vorlo::ui
