#pragma once

#include "ui/window_description.h"

#include <QPalette>

#include <functional>

class QString;
class QWidget;

namespace vorlo::ui {

class BuiltWindow;

// Creates the window's controls from its description, stacks them in list order and sets up the
// Tab cycle. `raiseEvent` is called with a control's bound handler when its event fires.
void createControls(BuiltWindow& window, const std::function<void(Handler)>& raiseEvent);

// Button face is whatever the platform's palette says; only RGB colours are written.
void setColour(QWidget& widget, QPalette::ColorRole role, Colour colour);

// The caption of a label or button, the contents of an edit box.
void setControlText(QWidget& control, const QString& text);

} // namespace vorlo::ui
