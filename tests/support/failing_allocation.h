#pragma once

// A machine out of memory, on demand: after FailAllocationAfter(n) the allocations go on as usual
// n more times, and every one after that fails as the standard library's do, throwing
// std::bad_alloc (the non-throwing forms then give null), until FailAllocationAfter(-1). Under a
// sanitizer, which keeps the allocation functions for itself, allocations never fail and
// CanFailAllocations is false.
bool CanFailAllocations();
void FailAllocationAfter(int allocations);
