#pragma once

#include "countdown/countdown_controller.h"
#include "ui/window_description.h"
#include "ui/window_properties.h"
#include "ui/windows/main_window_countdown.h"

namespace vorlo::ui {

// Runs the handler that a description binds to an event.
class ProgramHandlers {
public:
    explicit ProgramHandlers(WindowProperties& windows);

    void run(Handler handler);

    const CountdownController& countdown() const { return countdown_; }

private:
    WindowProperties& windows_;
    MainWindowCountdown countdownWindow_;
    CountdownController countdown_;
};

} // namespace vorlo::ui
