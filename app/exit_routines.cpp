#include "app/exit_routines.h"

#include <algorithm>

namespace vorlo::app {

void ExitRoutines::registerExitRoutine(Routine routine) {
    if (std::find(routines_.begin(), routines_.end(), routine) == routines_.end()) {
        routines_.push_back(routine);
    }
}

void ExitRoutines::runAll() {
    const std::vector<Routine> routines = std::move(routines_);
    routines_.clear();
    for (Routine routine : routines) {
        routine();
    }
}

} // namespace vorlo::app
