#pragma once

#include <string_view>

namespace vorlo::ui {
class WindowLayer;
}

namespace vorlo::app {

class ExitRoutines;

// The process these belong to: whose events to silence and which routines to drop when a
// fatal error is reported. Either may be null.
void attachFatalErrorReport(ui::WindowLayer* layer, ExitRoutines* exitRoutines);

// Shows the one error box ("运行时出错!" and the message, under "错误") and, once it has been
// dismissed, ends the process at once with status -1. No handler runs from the first moment.
[[noreturn]] void reportFatalError(std::string_view gbkMessage);

} // namespace vorlo::app
