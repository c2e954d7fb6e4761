#pragma once

class QWidget;

// What the toolkit does not say about a top-level window on every platform. On X11 this talks to
// the window manager; elsewhere the toolkit's own behaviour already fits and it does nothing.
namespace vorlo::ui::platform {

// The decorations the window manager puts around a window, in pixels.
struct FrameExtents {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
};

// Call on a built, still hidden top-level window whose flags and (provisional) fixed size are
// final. Gives the frame that the window will get, zero where nothing can be learnt. Once it has
// run, moving the hidden window places its client area rather than its frame.
FrameExtents prepareFirstShow(QWidget& window);

// Keeps a window without a task-bar entry of its own; call before its first show.
void skipTaskBar(QWidget& window);

} // namespace vorlo::ui::platform
