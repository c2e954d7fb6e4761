#include "ui/layer/platform/native_window.h"

#include <QWidget>

namespace vorlo::ui::platform {

// Elsewhere the toolkit places the frame itself, and an owned window has no task-bar entry.
FrameExtents prepareFirstShow(QWidget& /*window*/) {
    return {};
}

void skipTaskBar(QWidget& /*window*/) {}

} // namespace vorlo::ui::platform
