#include "app/program_entry.h"

int main(int /*argc*/, char* argv[]) {
    return vorlo::app::programEntry(argv[0]);
}
