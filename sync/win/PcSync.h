#pragma once
// One sync of this PC's book with its calendar, as the schedule window's
// sync thread and plannix-host --sync run it: the book's choices from its
// file, the password from the Credential Manager, WinHTTP and XmlLite for
// the engine, and one sync at a time for each record of the last sync,
// across processes too.
#include <mutex>
#include <string>

#include "reminders/ReminderLead.h"
#include "sync/SyncRun.h"

class IBookMonths;
class CWinHttpTransport;

struct PcSyncRequest {
  std::string bookFolder;  // Data\Plannix, cp932
  bool enabled = false;    // whether this PC syncs
  int reminderLead = kRemindersOff;
  int todayDayNumber = 0;
  IBookMonths* book = nullptr;  // not owned; nullptr: the month files of the folder
  unsigned waitForOtherMs = 0;  // how long a sync of the same record elsewhere is waited for
};

enum class PcSyncStart {
  kRan,                // the outcome says how it went
  kOff,                // this PC does not sync
  kNoCalendar,         // no calendar chosen yet
  kNoPassword,         // a user name without a password in the Credential Manager
  kBusy,               // another sync of the same record runs
  kNoFolder,           // no data folder, or no folder of this PC's for the record
  kUnreadableAccount,  // the book's choices are there but cannot be read
};

struct PcSyncResult {
  PcSyncStart start = PcSyncStart::kRan;
  SyncOutcome outcome;
  std::string line;  // UTF-8, for the user: the outcome, or why none ran
};

// This PC's record of the last sync with the calendar, for the book; "" when
// this PC has no folder for it.
std::string ThisPcStatePath(const std::string& bookFolder, const std::string& calendarUrl);

class CPcSync {
 public:
  PcSyncResult Run(const PcSyncRequest& request);
  // From any thread: the sync under way stops at its next request, and so
  // does every later one until Resume.
  void Cancel();
  void Resume();

 private:
  std::mutex m_lock;
  bool m_cancelled = false;                  // guarded by m_lock
  CWinHttpTransport* m_transport = nullptr;  // the run's, guarded by m_lock
};
