#pragma once
// The calendar sync's setup: the server's address (a calendar's own, or the
// server's alone, and then the calendars are found), the user and the
// password; the calendars that hold events, by name, or a new one named
// Plannix; a try of the connection in one line; what is synced and from
// which day; sync on or off, now, and the last sync's time and result.
// What talks to the server runs on a thread of the dialog's own, so the
// dialog answers meanwhile.
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "sync/CalendarDiscovery.h"
#include "sync/SyncSettings.h"
#include "tool/ToolHost.h"
#include "win/Dialog.h"

class CSyncThread;
class CWinHttpTransport;

class CSyncSetupDialog : public CDialog {
 public:
  CSyncSetupDialog();
  ~CSyncSetupDialog() override;

  // Where it reads and writes, set before each run. applied runs on the
  // dialog's thread after the choices were written (OK, or 今すぐ同期).
  void Attach(CToolHost* host, std::string bookFolder, CSyncThread* syncThread, std::function<void()> applied);
  // Runs the dialog owned by owner; IDOK or IDCANCEL. A second run while one
  // is up brings that one to the front.
  INT_PTR DoModal() override;

  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  INT_PTR WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  enum class JobKind { kFind, kTest, kMake };
  struct JobResult {
    JobKind kind = JobKind::kFind;
    SyncProblemInfo problem;
    std::vector<CalendarEntry> calendars;
    std::string homeUrl;
  };

  // The choices in the controls into settings; false (with the control
  // that is wrong focused) when one cannot be read.
  bool ReadChoices(SyncSettings& settings);
  // Writes the book's file, this PC's switch and a password typed.
  bool ApplyChoices();
  void StartJob(JobKind kind);
  void OnJobDone();
  void ShowCalendars(const std::string& selectedUrl);
  void ShowLastResult();
  void SyncNow();
  void EnableControls();
  std::string SelectedCalendarUrl() const;
  std::string TypedText(int id) const;
  void EndJob();

  CToolHost* m_host = nullptr;  // not owned
  std::string m_bookFolder;
  CSyncThread* m_syncThread = nullptr;  // not owned
  std::function<void()> m_applied;
  std::atomic<bool> m_open{false};

  std::vector<CalendarEntry> m_calendars;
  std::string m_homeUrl;
  uint64_t m_resultsShown = ~0ull;

  // The job that talks to the server, one at a time.
  std::thread m_job;
  bool m_jobRunning = false;
  std::mutex m_jobLock;
  JobResult m_jobResult;                        // guarded by m_jobLock
  CWinHttpTransport* m_jobTransport = nullptr;  // guarded by m_jobLock
};
