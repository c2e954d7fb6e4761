#include "ui/windows/main_window_countdown.h"

#include "ui/windows/main_window.h"
#include "ui/windows/reminder_window.h"

namespace vorlo::ui {

using namespace mainWindow;

Text MainWindowCountdown::minutesText() const {
    return windows_.text(name, minutesEdit);
}

void MainWindowCountdown::setRemainingCaption(std::string_view gbkCaption) {
    windows_.setCaption(name, remainingLabel, gbkCaption);
}

void MainWindowCountdown::setStartDisabled(bool disabled) {
    windows_.setDisabled(name, startButton, disabled);
}

void MainWindowCountdown::setStopDisabled(bool disabled) {
    windows_.setDisabled(name, stopButton, disabled);
}

void MainWindowCountdown::setTickPeriod(std::int32_t milliseconds) {
    windows_.setTimerPeriod(name, tickTimer, milliseconds);
}

bool MainWindowCountdown::openReminder() {
    return windows_.openModal(reminderWindowDescription());
}

} // namespace vorlo::ui
