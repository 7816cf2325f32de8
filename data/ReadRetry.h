#pragma once
// A file that another program holds for a moment is tried again before it
// counts as unreadable: growing pauses, about a second in all.
#include "data/FileSystem.h"

constexpr unsigned kReadRetryPausesMs[] = {50, 100, 150, 250, 450};

// attempt() until its outcome is another than unreadable, or the pauses are over.
template <typename Outcome, typename Attempt>
Outcome RetryWhileUnreadable(IFileSystem& files, Outcome unreadable, const Attempt& attempt) {
  Outcome outcome = attempt();
  for (unsigned pause : kReadRetryPausesMs) {
    if (outcome != unreadable) break;
    files.Pause(pause);
    outcome = attempt();
  }
  return outcome;
}
