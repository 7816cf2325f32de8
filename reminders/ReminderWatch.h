#pragma once
// The reminders' look at the files on a thread of their own, so that the
// window never waits for the disk: every couple of seconds (the stamps
// alone, unless something changed) and at once when poked (a line stored,
// a month arrived, the clock changed, the PC woke).
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "reminders/ReminderFiles.h"
#include "reminders/WallTime.h"

class CReminderWatch {
 public:
  static constexpr std::chrono::milliseconds kLookInterval{2000};

  // The thread looks at once, then every interval and when poked.
  CReminderWatch(std::unique_ptr<CReminderFiles> files, IWallClock& clock,
                 std::chrono::milliseconds interval = kLookInterval);
  // The thread ends; what was dismissed and is not written yet is tried once more.
  ~CReminderWatch();
  CReminderWatch(const CReminderWatch&) = delete;
  CReminderWatch& operator=(const CReminderWatch&) = delete;

  // Called on the watch's thread when the facts changed; it must not wait.
  void SetChangeListener(std::function<void()> listener);
  void Poke();
  // In the facts at once, in the file soon.
  void AddDismissed(const std::vector<ReminderOccurrence>& occurrences);
  ReminderFacts Facts() const;
  // True while a dismissal is not in the file yet.
  bool HasUnwritten() const;
  // The repairs of the file of what was dismissed not told of yet; each is handed out once.
  std::vector<DismissedRepair> TakeRepairs();

 private:
  void Run();
  // One look of the files, with what was dismissed meanwhile: on the
  // watch's thread, or on the caller's before it starts and after it ended.
  bool LookOnce();

  IWallClock& m_clock;
  const std::chrono::milliseconds m_interval;
  std::unique_ptr<CReminderFiles> m_files;
  // Guards what follows; held only for copies.
  mutable std::mutex m_lock;
  std::condition_variable m_wakes;
  ReminderFacts m_facts;
  std::vector<ReminderOccurrence> m_pending;  // not yet handed to the files
  std::vector<DismissedRepair> m_repairs;
  bool m_unwritten = false;
  bool m_poked = true;  // the first look is at once
  bool m_stopping = false;
  std::function<void()> m_onChange;
  // Last: it starts once everything it uses is there.
  std::thread m_thread;
};
