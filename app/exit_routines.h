#pragma once

#include <vector>

namespace vorlo::app {

// The routines the ordinary end runs, once each, in the order they were registered.
class ExitRoutines {
public:
    using Routine = void (*)();

    // A routine registered twice still runs once.
    void registerExitRoutine(Routine routine);
    void runAll();
    // After a fatal error none of them runs.
    void discard() { routines_.clear(); }

private:
    std::vector<Routine> routines_;
};

} // namespace vorlo::app
