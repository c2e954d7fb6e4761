#include "allocation_control.h"

#include <cstdlib>
#include <new>

// In a file of their own so the compiler does not inline them into the tests and then see the
// free() of a block that came from operator new.

namespace {

bool failNext = false;
std::size_t allocations = 0;

} // namespace

namespace allocation_control {

void failNextAllocation() {
    failNext = true;
}
void cancel() {
    failNext = false;
}
void resetCount() {
    allocations = 0;
}
std::size_t count() {
    return allocations;
}

} // namespace allocation_control

void* operator new(std::size_t size) {
    ++allocations;
    if (failNext) {
        failNext = false;
        throw std::bad_alloc();
    }
    if (void* block = std::malloc(size == 0 ? 1 : size)) {
        return block;
    }
    throw std::bad_alloc();
}

void operator delete(void* block) noexcept {
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}
