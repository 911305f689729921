#include "support/failing_allocation.h"

#include <cstdlib>
#include <new>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)

bool CanFailAllocations() { return false; }
void FailAllocationAfter(int) {}

#else

namespace {

int g_allocationsLeft = -1;  // below 0: no failure is planned

}  // namespace

bool CanFailAllocations() { return true; }
void FailAllocationAfter(int allocations) { g_allocationsLeft = allocations; }

// Every other form of new in the standard library comes here; the plain delete frees with free.
void* operator new(std::size_t size) {
    if (g_allocationsLeft == 0) throw std::bad_alloc();
    if (g_allocationsLeft > 0) --g_allocationsLeft;
    if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
    throw std::bad_alloc();
}

#endif
