#pragma once
// When the next sync may run after one that failed: a growing pause, never
// a tight loop; and whether an outcome is to be told, so that a server that
// stays away is told once, not every five minutes. Kept by the window
// across its syncs; the clock is handed in.
#include <set>
#include <string>

#include "sync/SyncRun.h"

class CSyncRetry {
 public:
  static constexpr long long kFirstPause = 60;  // seconds
  static constexpr long long kLongestPause = 3600;

  // Whether a sync on the timer may run now; one the user asks for always may.
  bool Due(long long utcSeconds) const { return utcSeconds >= m_nextAttempt; }
  long long NextAttempt() const { return m_nextAttempt; }

  // Takes the outcome of a sync that ended at utcSeconds; true when the
  // user is to be told of it: the first failure or stop of its kind, the
  // first success after them, and a note that the sync before did not have
  // (a month that stays unreadable is told once, not at every sync).
  bool Take(const SyncOutcome& outcome, long long utcSeconds);

 private:
  long long m_nextAttempt = 0;
  long long m_pause = 0;
  SyncProblem m_told = SyncProblem::kNone;
  std::set<std::string> m_toldNotes;  // the notes of the last sync
};
