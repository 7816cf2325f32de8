#pragma once
// An exhausted heap on order: the nth allocation from now on one thread
// throws std::bad_alloc, as it would when memory runs out; every other
// allocation goes on as usual.
#include <thread>

void FailAllocationOnThread(std::thread::id thread, int nth);
void StopFailingAllocations();
// True once the allocation asked for failed.
bool AllocationFailed();
