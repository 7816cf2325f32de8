#pragma once
// The host's search request record, passed by pointer to Search.
#include <cstddef>
#include <cstdint>

class CWnd;

struct SearchRequest {
  CWnd* pResultWnd;  // not owned: hits go to its window handle
  int16_t nKind;     // 0 = text search, 2 = seal search
  uint8_t unused[6];
  // Set by the host's thread while the search runs: every read goes to memory.
  volatile int32_t bCancel;
};

// The host fixes the layout for 32-bit pointers; other builds only mirror it.
static_assert(sizeof(void*) != 4 || (offsetof(SearchRequest, pResultWnd) == 0 &&
                                     offsetof(SearchRequest, nKind) == 4 &&
                                     offsetof(SearchRequest, bCancel) == 12 &&
                                     sizeof(SearchRequest) == 16),
              "SearchRequest has the host's 32-bit layout");
