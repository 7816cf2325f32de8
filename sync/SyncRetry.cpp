#include "sync/SyncRetry.h"

#include <algorithm>

bool CSyncRetry::Take(const SyncOutcome& outcome, long long utcSeconds) {
  if (outcome.result == SyncResult::kDone && !outcome.problem.Failed()) {
    const bool recovered = m_told != SyncProblem::kNone;
    m_told = SyncProblem::kNone;
    m_pause = 0;
    m_nextAttempt = 0;
    std::set<std::string> notes;
    for (const SyncNote& note : outcome.notes) notes.insert(DescribeSyncNote(note));
    bool news = false;
    for (const std::string& note : notes) news = news || m_toldNotes.count(note) == 0;
    m_toldNotes.swap(notes);
    return recovered || news;
  }
  // Cancelled by the user: no pause, nothing to tell.
  if (outcome.problem.problem == SyncProblem::kCancelled) return false;
  m_pause = m_pause == 0 ? kFirstPause : std::min(m_pause * 2, kLongestPause);
  m_nextAttempt = utcSeconds + m_pause;
  const bool tell = outcome.problem.problem != m_told;
  m_told = outcome.problem.problem;
  return tell;
}
