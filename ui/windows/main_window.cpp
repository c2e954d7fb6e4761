#include "ui/windows/main_window.h"

#include "text/conversions.h"
#include "text/literals.h"
#include "ui/windows/ui_font.h"

#include <array>

namespace vorlo::ui {

namespace {

using namespace mainWindow;

constexpr ControlDescription label(std::string_view name, Rect rect, std::string_view text,
                                   TextAlignment alignment) {
    return {.name = name,
            .kind = ControlKind::label,
            .rect = rect,
            .text = text,
            .font = &uiFont,
            .alignment = alignment};
}

constexpr ControlDescription pushButton(std::string_view name, Rect rect, std::string_view text,
                                        bool disabled, Handler clicked) {
    return {.name = name,
            .kind = ControlKind::pushButton,
            .rect = rect,
            .text = text,
            .disabled = disabled,
            .focusable = true,
            .alignment = TextAlignment::centre,
            .event = clicked};
}

constexpr std::array controls{
    ControlDescription{.name = onTopCheck,
                       .kind = ControlKind::checkBox,
                       .rect = {126, 34, 44, 20},
                       .text = literals::onTopCheckText,
                       .focusable = true,
                       .font = &uiFont,
                       .event = Handler::applyAlwaysOnTop},
    label(remainingLabel, {4, 34, 112, 20}, literals::remainingIdleCaption, TextAlignment::centre),
    pushButton(stopButton, {95, 62, 80, 30}, literals::stopButtonText, true, Handler::stop),
    pushButton(startButton, {6, 62, 80, 30}, literals::startButtonText, false, Handler::start),
    label(minutesLabel, {94, 6, 55, 20}, literals::minutesLabelText, TextAlignment::left),
    ControlDescription{.name = minutesEdit,
                       .kind = ControlKind::editBox,
                       .rect = {53, 6, 36, 20},
                       .text = literals::minutesEditText,
                       .font = &uiFont,
                       .backgroundColour = white,
                       .alignment = TextAlignment::centre},
    label(everyLabel, {22, 6, 25, 20}, literals::everyLabelText, TextAlignment::left),
    ControlDescription{.name = tickTimer,
                       .kind = ControlKind::timer,
                       .visible = false,
                       .timerPeriodMs = 0,
                       .event = Handler::tick},
};

constexpr WindowDescription description{
    .name = name,
    .caption = literals::mainWindowCaption,
    .frame = {50, 50, 186, 123},
    .minimiseButton = true,
    .maximiseButton = false,
    .startPosition = StartPosition::asStored,
    .shownInTaskBar = true,
    .alwaysOnTop = false,
    .created = Handler::placeWindow,
    .controls = controls,
};

constexpr double thirdsOfScreen = 3.0;

} // namespace

const WindowDescription& mainWindowDescription() {
    return description;
}

void placeWindow(WindowProperties& windows) {
    const std::int32_t top = realToInteger(windows.screenHeight() / thirdsOfScreen);
    windows.setWindowTop(name, top);
    windows.setWindowLeft(name, placedLeft);
}

void applyAlwaysOnTop(WindowProperties& windows) {
    windows.setAlwaysOnTop(name, windows.checked(name, onTopCheck));
}

} // namespace vorlo::ui
