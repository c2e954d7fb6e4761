#pragma once

#include "countdown/countdown_window.h"
#include "ui/window_properties.h"

namespace vorlo::ui {

// The countdown's view of the main window: its controls, as properties of the window layer.
class MainWindowCountdown final : public CountdownWindow {
public:
    explicit MainWindowCountdown(WindowProperties& windows)
        : windows_(windows) {}

    Text minutesText() const override;
    void setRemainingCaption(std::string_view gbkCaption) override;
    void setStartDisabled(bool disabled) override;
    void setStopDisabled(bool disabled) override;
    void setTickPeriod(std::int32_t milliseconds) override;
    bool openReminder() override;

private:
    WindowProperties& windows_;
};

} // namespace vorlo::ui
