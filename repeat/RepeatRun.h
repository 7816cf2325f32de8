#pragma once
// A repeated line written, or taken away again, on a thread of its own:
// the window goes on while a hundred month files are written, beside the
// month session's own writes.
#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "repeat/RepeatWrite.h"

class CMonthSession;
class IFileSystem;

struct RepeatJob {
  bool removal = false;
  std::vector<int> days;  // day numbers, the day shown not among them
  std::string line;       // cp932
  std::string folder;     // of the month files, as the data layer spells paths
};

class CRepeatRun {
 public:
  CRepeatRun(IFileSystem& files, CMonthSession& session);
  // A run still going is stopped and waited for: the month under way is written whole.
  ~CRepeatRun();
  CRepeatRun(const CRepeatRun&) = delete;
  CRepeatRun& operator=(const CRepeatRun&) = delete;

  // False while another runs or its outcome is not taken yet. ended is
  // called on the run's thread once the outcome is there; it must not wait.
  bool Start(RepeatJob job, std::function<void()> ended);
  bool IsRunning() const { return m_thread.joinable() && !m_ended; }
  // A run began whose outcome is not taken yet.
  bool HasRun() const { return m_thread.joinable(); }
  // The run begins no further month; the months not reached are left as
  // they are and named in the outcome. It does not wait.
  void Stop() { m_stop = true; }
  // Months done of all, for a progress bar.
  void Progress(size_t& done, size_t& total) const;
  // The outcome of the run, once it ended; the thread is gone afterwards.
  RepeatOutcome Finish(bool& removal);

 private:
  IFileSystem& m_files;      // not owned
  CMonthSession& m_session;  // not owned
  std::thread m_thread;
  std::atomic<bool> m_ended{false};
  std::atomic<bool> m_stop{false};
  std::atomic<size_t> m_done{0};
  std::atomic<size_t> m_total{0};
  bool m_removal = false;
  RepeatOutcome m_outcome;  // the run's until it ended
};
