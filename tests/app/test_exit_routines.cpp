#include "app/exit_routines.h"

#include <gtest/gtest.h>

#include <string>

namespace vorlo::app {
namespace {

std::string ran;
void first() {
    ran += "first ";
}
void second() {
    ran += "second ";
}

TEST(ExitRoutinesTest, RunOnceEachInTheOrderOfRegistration) {
    ran.clear();
    ExitRoutines routines;
    routines.registerExitRoutine(&second);
    routines.registerExitRoutine(&first);
    routines.registerExitRoutine(&second);
    routines.runAll();
    routines.runAll(); // the list is empty after the end
    EXPECT_EQ(ran, "second first ");
}

TEST(ExitRoutinesTest, DiscardedRoutinesNeverRun) {
    ran.clear();
    ExitRoutines routines;
    routines.registerExitRoutine(&first);
    routines.discard();
    routines.runAll();
    EXPECT_EQ(ran, "");
}

} // namespace
} // namespace vorlo::app
