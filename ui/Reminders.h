#pragma once
// The reminders for as long as the tool lives: a thread of their own with
// a message loop, which holds the watch on the files, the scheduler and
// the reminder window. The schedule window comes and goes; it only pokes
// them (a line stored, a month arrived) and is asked to show a day. The
// clock is looked at on a short timer, at the next due time, and at once
// when the watch tells of a change, the clock or the time zone changes or
// the PC wakes; never counted down alone. Nothing of the schedule window
// is touched from this thread.
#include <atomic>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <thread>

#include "reminders/ReminderFiles.h"
#include "reminders/ReminderScheduler.h"
#include "reminders/ReminderWatch.h"
#include "ui/ReminderWindow.h"
#include "ui/SystemWallClock.h"

class CToolBase;

class CReminders {
 public:
  struct Setup {
    ReminderPlaces places;
    CReminderFiles::HeldMonth heldMonth;
    int lead = 0;
    // A click on a line: the day to show, called on the reminders' thread.
    std::function<void(int dayNumber)> showDay;
  };

  // tool: its m_modalActive brackets the boxes the reminders show.
  explicit CReminders(CToolBase& tool) : m_tool(tool) {}
  // Stop.
  ~CReminders();
  CReminders(const CReminders&) = delete;
  CReminders& operator=(const CReminders&) = delete;

  // Starts the thread, once in the object's life, and waits until it runs;
  // false when it could not start.
  bool Start(Setup setup);
  // The thread ends with its window; what was dismissed and is not written
  // is tried once more. From any thread but the reminders' own.
  void Stop();
  bool IsRunning() const { return m_running; }

  // From any thread: the files are looked at again (a line stored, a month arrived).
  void Poke() {
    std::lock_guard<std::mutex> lock(m_watchLock);
    if (m_watch) m_watch->Poke();
  }
  // From any thread: the lead from now on.
  void SetLead(int lead);
  // What the watch knows now.
  ReminderFacts Facts() const {
    std::lock_guard<std::mutex> lock(m_watchLock);
    return m_watch ? m_watch->Facts() : ReminderFacts();
  }

  // The places of this PC's own: its file of dismissals outside the data
  // folder, and its name in the entries.
  static void AddThisPcPlaces(ReminderPlaces& places);

 private:
  void Run(std::promise<bool>& ready);
  bool OnMessage(UINT message, WPARAM wParam);
  void Look();
  void Dismiss();
  void Snooze();
  void ShowDay(size_t line);
  // Each repair of the file of what was dismissed, told once.
  void TellRepairs();

  CToolBase& m_tool;  // not owned
  std::mutex m_lock;  // guards starting and stopping
  bool m_started = false;
  std::thread m_thread;
  DWORD m_threadId = 0;
  std::atomic<bool> m_running{false};
  std::atomic<int> m_lead{0};
  Setup m_setup;
  // The reminders' thread's own from here on.
  CSystemWallClock m_clock;
  CReminderScheduler m_scheduler;
  CReminderWindow m_window;
  // Set on the reminders' thread; read by the others under the lock.
  mutable std::mutex m_watchLock;
  std::unique_ptr<CReminderWatch> m_watch;
  HWND m_windowHandle = nullptr;
  bool m_telling = false;
};
