#include "FailingAllocations.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<bool> g_armed{false};
std::atomic<int> g_countdown{0};
std::atomic<bool> g_failed{false};
std::atomic<std::thread::id> g_thread{};

}  // namespace

void FailAllocationOnThread(std::thread::id thread, int nth) {
  g_failed = false;
  g_thread = thread;
  g_countdown = nth;
  g_armed = true;
}

void StopFailingAllocations() { g_armed = false; }

bool AllocationFailed() { return g_failed; }

// The program's own allocation functions, so that one can fail; the array
// and sized forms of the library call these.
void* operator new(std::size_t size) {
  if (g_armed && std::this_thread::get_id() == g_thread.load() && g_countdown.fetch_sub(1) == 1) {
    g_armed = false;
    g_failed = true;
    throw std::bad_alloc();
  }
  if (void* memory = std::malloc(size != 0 ? size : 1)) return memory;
  throw std::bad_alloc();
}

void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
