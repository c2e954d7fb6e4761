#pragma once

#include <cstddef>

// The test executable that links allocation_control.cpp gets replaced global allocation functions
// that count allocations and can be told to fail, so running out of memory can be tested without
// touching the library or exhausting the machine.
namespace allocation_control {

// Makes the next allocation throw std::bad_alloc; cancel() withdraws it if none happened.
void failNextAllocation();
void cancel();

void resetCount();
std::size_t count();

} // namespace allocation_control
