#pragma once

#include "text/literals.h"
#include "ui/window_description.h"

namespace vorlo::ui {

// The font of every label, the check box and the edit box of both windows.
inline constexpr FontRecord uiFont{.face = literals::uiFontFace, .pixelHeight = 12, .weight = 400};

} // namespace vorlo::ui
