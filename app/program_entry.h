#pragma once

namespace vorlo::app {

// Starts the program, runs it until its last window has gone and returns the exit status, 0.
// Only the program's path is taken from the command line; no argument changes anything.
int programEntry(const char* programPath);

} // namespace vorlo::app
