#include "ui/windows/reminder_window.h"

#include "text/date_time.h"
#include "text/literals.h"
#include "ui/windows/ui_font.h"

#include <array>

namespace vorlo::ui {

namespace {

using namespace reminderWindow;

// The label starts one pixel outside the client area and is centred on its own rectangle.
constexpr std::array controls{
    ControlDescription{.name = timeLabel,
                       .kind = ControlKind::label,
                       .rect = {-1, -1, 195, 73},
                       .font = &uiFont,
                       .alignment = TextAlignment::centre},
};

constexpr WindowDescription description{
    .name = name,
    .caption = literals::reminderWindowCaption,
    .frame = {50, 50, 200, 100},
    .minimiseButton = true,
    .maximiseButton = false,
    .startPosition = StartPosition::centredOnScreen,
    .shownInTaskBar = false,
    .alwaysOnTop = true,
    .captionStaysActive = true,
    .created = Handler::fillTimeLabel,
    .controls = controls,
};

} // namespace

const WindowDescription& reminderWindowDescription() {
    return description;
}

void fillTimeLabel(WindowProperties& windows) {
    windows.setCaption(name, timeLabel, dateTimeToText(currentDateTime()).bytes());
}

} // namespace vorlo::ui
