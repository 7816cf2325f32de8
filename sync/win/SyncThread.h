#pragma once
// The schedule window's syncs, on a thread of their own: as the window
// opens, every five minutes, a few seconds after a line is stored, after
// the PC wakes, when the user asks, and once more as the window closes, so
// that what was typed is on the server before the window goes. The window
// never waits for the network, except at its close, and then only so long.
// A server that fails is tried again after a growing pause (the user's own
// asking always goes), and told once.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "sync/SyncRetry.h"
#include "sync/win/PcSync.h"
#include "sync/win/SyncAccount.h"

class CMonthSession;
class CFolderMonths;
class CSessionMonths;

// What the window knows and the thread does not: read on the window's thread.
struct SyncFacts {
  bool enabled = false;
  int reminderLead = kRemindersOff;
  int todayDayNumber = 0;
};

enum class SyncReason {
  kStored,   // a line was stored: a sync soon
  kResumed,  // the PC woke: a sync at once, after the pause of a failure
  kChanged,  // the choices changed: a sync at once, whatever the pause
};

// A sync that ended, for the window to show.
struct SyncReport {
  PcSyncResult result;
  bool tell = false;   // to be told to the user: the first of its kind
  bool asked = false;  // the user asked for it
};

class CSyncThread {
 public:
  static constexpr std::chrono::seconds kPeriod{300};
  static constexpr std::chrono::seconds kAfterStore{5};

  // session: the month on display, read as it holds it and written beside
  // it; nullptr for the month files alone.
  CSyncThread(std::string bookFolder, CMonthSession* session);
  ~CSyncThread();
  CSyncThread(const CSyncThread&) = delete;
  CSyncThread& operator=(const CSyncThread&) = delete;

  // Called on the sync's thread when a report is waiting; must not wait.
  void SetReportListener(std::function<void()> listener);
  // As the window opens: a sync at once, then on the timer.
  void Start(const SyncFacts& facts);
  void Update(const SyncFacts& facts);
  void Ask(SyncReason reason);
  // The user's asking: a sync at once, whatever the pause after a failure,
  // also while no window is open and with sync turned off.
  void AskNow(const SyncFacts& facts);
  // The last sync of the window, waited for at most wait; a sync still under
  // way is then cancelled and left to end on its own. True when it ended in time.
  bool Finish(std::chrono::milliseconds wait);
  std::vector<SyncReport> TakeReports();
  // The line of the last sync run here, and how many have ended: whoever
  // shows it knows when it is new. No sync yet: time 0.
  SyncResultLine LastResult(uint64_t& ended);

 private:
  void Run();
  // One sync; m_lock is not held.
  SyncReport RunOnce(const SyncFacts& facts, bool asked, bool unpaused);

  const std::string m_bookFolder;
  std::unique_ptr<CFolderMonths> m_folderBook;
  std::unique_ptr<CSessionMonths> m_sessionBook;
  CPcSync m_sync;
  CSyncRetry m_retry;  // the sync's thread alone
  PcSyncStart m_toldStart = PcSyncStart::kRan;

  std::mutex m_lock;
  std::condition_variable m_wakes;
  bool m_active = false;
  bool m_stopping = false;
  SyncFacts m_facts;
  bool m_now = false;  // a sync wanted at once
  bool m_asked = false;
  bool m_unpaused = false;  // the pause after a failure does not hold the next one
  bool m_soonWanted = false;
  std::chrono::steady_clock::time_point m_soon;
  std::chrono::steady_clock::time_point m_next;
  uint64_t m_started = 0;
  uint64_t m_finished = 0;
  std::vector<SyncReport> m_reports;
  SyncResultLine m_lastResult;
  std::function<void()> m_onReport;
  // Last: it starts once everything it uses is there.
  std::thread m_thread;
};
