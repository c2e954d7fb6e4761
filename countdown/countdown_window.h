#pragma once

#include "text/text.h"

#include <cstdint>
#include <string_view>

namespace vorlo {

// What the countdown reads and writes on the main window, and the one thing it opens.
class CountdownWindow {
public:
    virtual ~CountdownWindow() = default;

    virtual Text minutesText() const = 0;
    virtual void setRemainingCaption(std::string_view gbkCaption) = 0;
    virtual void setStartDisabled(bool disabled) = 0;
    virtual void setStopDisabled(bool disabled) = 0;
    // Milliseconds; 0 stops the timer, and writing the period it already has keeps its phase.
    virtual void setTickPeriod(std::int32_t milliseconds) = 0;
    // Opens the reminder, or brings back the one that is open; false if it could not be built.
    virtual bool openReminder() = 0;
};

} // namespace vorlo
