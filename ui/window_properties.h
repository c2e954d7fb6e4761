#pragma once

#include "text/text.h"
#include "ui/window_description.h"

#include <cstdint>
#include <string_view>

namespace vorlo::ui {

// Everything a handler may do to the program's windows: read and write properties of a loaded
// window or of one of its controls, named as in their descriptions, and open a window modally.
class WindowProperties {
public:
    virtual ~WindowProperties() = default;

    // The full size of the primary display in pixels, task bar included.
    virtual std::int32_t screenWidth() const = 0;
    virtual std::int32_t screenHeight() const = 0;

    // Move the outer frame; the value is first limited to -32627..32627.
    virtual void setWindowLeft(std::string_view window, std::int32_t left) = 0;
    virtual void setWindowTop(std::string_view window, std::int32_t top) = 0;
    // Into or out of the keep-above band, without moving, resizing or activating the window.
    virtual void setAlwaysOnTop(std::string_view window, bool onTop) = 0;

    virtual bool checked(std::string_view window, std::string_view control) const = 0;
    virtual Text text(std::string_view window, std::string_view control) const = 0;
    virtual void setCaption(std::string_view window, std::string_view control,
                            std::string_view gbkCaption) = 0;
    virtual void setDisabled(std::string_view window, std::string_view control, bool disabled) = 0;
    virtual void setTimerPeriod(std::string_view window, std::string_view control,
                                std::int32_t milliseconds) = 0;

    // Opens the window with no parent, disabling the program's other windows until it closes;
    // an open one is restored or activated instead. False if it could not be built.
    virtual bool openModal(const WindowDescription& description) = 0;
};

} // namespace vorlo::ui
