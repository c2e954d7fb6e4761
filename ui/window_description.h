#pragma once

#include <cstdint>
#include <span>
#include <string_view>

// The read-only descriptions the window layer builds windows from. Texts are GBK bytes.
namespace vorlo::ui {

struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// An RGB colour, or the platform's colour of dialog and button surfaces.
struct Colour {
    bool buttonFace = false;
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

inline constexpr Colour buttonFace{.buttonFace = true};
inline constexpr Colour black{};
inline constexpr Colour white{.red = 255, .green = 255, .blue = 255};

// The fields the window layer takes from a font record; the rest are always the platform's
// defaults at its best rendering quality.
struct FontRecord {
    std::string_view face;
    std::int32_t pixelHeight = 0; // character (em) height
    std::int32_t width = 0;       // 0: the face's natural width
    std::int32_t weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
};

// The program's event handlers, as a description binds them to events.
enum class Handler { none, placeWindow, applyAlwaysOnTop, start, stop, tick, fillTimeLabel };

enum class ControlKind { label, editBox, pushButton, checkBox, timer };
enum class TextAlignment { left, centre };

struct ControlDescription {
    std::string_view name;
    ControlKind kind = ControlKind::label;
    Rect rect;
    std::string_view text;
    bool visible = true;
    bool disabled = false;
    bool focusable = false;
    bool checked = false;
    std::int32_t tabOrder = 0;
    const FontRecord* font = nullptr; // none: the platform's default GUI font
    Colour textColour = black;
    Colour backgroundColour = buttonFace;
    TextAlignment alignment = TextAlignment::left;
    std::int32_t timerPeriodMs = 0;
    // The clicked event of a button or check box, the periodic event of a timer.
    Handler event = Handler::none;
};

enum class StartPosition { asStored, centredOnScreen };

struct WindowDescription {
    std::string_view name;
    std::string_view caption;
    Rect frame; // outer rectangle, caption bar and borders included
    bool systemMenuAndClose = true;
    bool minimiseButton = true;
    bool maximiseButton = false;
    StartPosition startPosition = StartPosition::asStored;
    bool shownInTaskBar = true;
    bool alwaysOnTop = false;
    // While the window is open and enabled, activating a window it disabled hands the
    // activation back to it. (A client cannot keep a caption drawn by the window manager
    // looking active when another program's window is activated.)
    bool captionStaysActive = false;
    Colour background = buttonFace;
    // Every window can be moved by its caption, and the layer has no keyboard or mouse services
    // of its own: Esc closes nothing, Enter moves no focus, F1 opens no help and the client area
    // does not drag the window.
    bool visible = true;
    Handler created = Handler::none;
    // In list order: the first is the top of the stacking order; the order also decides Tab.
    std::span<const ControlDescription> controls;
};

} // namespace vorlo::ui
