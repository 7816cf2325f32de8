#pragma once
// The month on display: its table, its date, its file and what is known of
// the file. The window shows it and calls it; the host's thread saves it.
// Every operation is a whole step, and none calls the host or a window
// while it holds its locks: what the host must answer is asked first.
// What is stored reaches the disk soon after, written on a thread of the
// session's own from a copy of the table, so that the window never waits
// for the disk; a month left is handed to that thread too. Every write,
// from whichever thread, takes its copy in turn: a newer table always wins.
// What the library throws while a file is read or written (an exhausted
// heap) is a read or a write that failed.
// The file can change under the session (a sync client brings the other
// PC's copy, a second host saves): the session keeps what the file held
// when it last read or wrote it, never writes over a change but merges it
// in, watches the file and takes in what arrives, and folds in the
// conflict copies that sync clients leave beside the month files.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include <vector>

#include "data/DayRecord.h"
#include "data/FileSnapshot.h"
#include "data/FileSystem.h"
#include "data/MonthFile.h"
#include "data/MonthMerge.h"
#include "tool/ToolHost.h"

struct MergingWrite;

// Something of another version of a month that found no place in it, kept
// as a file for the user.
struct KeptCopyNotice {
  int32_t year = 0;
  int32_t month = 0;
  DayMask days = 0;
  std::string path;
};

// What is known of the month file of the month on display.
enum class MonthFileState {
  kNone,        // no month is on display
  kRead,        // the file was read
  kAbsent,      // there is no file: an empty month that can be written
  kUnreadable,  // the file is there but could not be read: never written, not edited
  kWritten,     // the file holds the table
};

enum class MonthSaveOutcome {
  kWritten,
  kHandedOn,   // a month left: written in the background, kept in memory until it is
  kNotOpen,    // no month on display: nothing to keep
  kProtected,  // a month that could not be read is never written
  kFailed,     // the file could not be written; the table is as it was
};

struct MonthStepOutcome {
  MonthSaveOutcome saved;
  // The state of the month on display afterwards; the old month's when
  // stepped is false.
  MonthFileState opened;
  // False when the month left could not be saved: it stays on display.
  bool stepped;
};

// The date on display and the host's grid of it.
struct MonthView {
  static constexpr int32_t kMonthsInYear = 12;

  int32_t year = 0;
  int32_t month = 1;
  int32_t selectedDay = 1;
  int32_t selectedWeekday = 0;
  MonthGrid dayGrid;
  MonthFileState fileState = MonthFileState::kNone;

  bool IsProtected() const { return fileState == MonthFileState::kUnreadable; }
};

class CMonthSession {
 public:
  // How long after a change the month is written: what a user stores in
  // that time is one write.
  static constexpr std::chrono::milliseconds kWriteDelay{1000};
  // How often the month file and its folder are looked at for a change.
  static constexpr std::chrono::milliseconds kWatchInterval{1000};

  // separator: between the folder names of a month file's path.
  CMonthSession(IFileSystem& files, const char* toolName, char separator,
                std::chrono::milliseconds writeDelay = kWriteDelay,
                std::chrono::milliseconds watchInterval = kWatchInterval);
  // What is still not written is tried once more.
  ~CMonthSession();
  CMonthSession(const CMonthSession&) = delete;
  CMonthSession& operator=(const CMonthSession&) = delete;

  // Called on the writing thread when a write in the background failed,
  // once until a write succeeds again. It must not wait for anything.
  void SetWriteFailureListener(std::function<void()> listener);
  // Called on the watching thread when the file of the month on display
  // changed on disk: the listener has TakeInArrived called soon, after it
  // stored what is being typed. Without one the session takes it in itself.
  // Also called when a write merged a change into the month on display.
  // It must not wait for anything.
  void SetArrivalListener(std::function<void()> listener);
  // Called when a notice of a kept copy is waiting; it must not wait.
  void SetKeptCopyListener(std::function<void()> listener);

  // Today's month with today selected, as the window opens. Answers that
  // are no date are clamped: month 1..12, a day the month's file holds,
  // weekday 0..6; grid days beyond the month are left out.
  MonthFileState OpenToday(CToolHost& host);
  // Hands the month on display to the writer, then opens the month
  // `months` months later (earlier when negative) with day 1 selected,
  // each month asked of the host from the one before. Once a write has
  // failed, the month is written first, and stays while that fails.
  MonthStepOutcome Step(CToolHost& host, int months);
  // Writes every month left that is not written yet, then the month on
  // display, on the calling thread.
  MonthSaveOutcome Save();
  // The month leaves the display; what of it is not written yet is kept
  // for the writer, in its own file, never in a month opened later.
  void Close();

  // False for a day the table has no record for or a weekday that is none.
  bool SelectDay(int day, int weekday);
  // Into the selected day; false for a month that is not open for edits.
  // The text as it was stored (cut to its field) goes to stored.
  bool StoreLine(int lineIndex, const char* text, char (&stored)[kLineSize]);
  bool StoreMemo(const char* text, char (&stored)[kMemoSize]);
  bool StoreSeal(int slotIndex, SealCode code);

  // Merges what arrived in the month's file into the table: a change made
  // there wins where nothing here changed the field, both stay where both
  // did. Writes nothing. The days that changed, also those a write merged
  // into the table since the last call.
  DayMask TakeInArrived();
  // work changes the file of the month year/month from outside the session
  // (a line repeated over many days, say) while no write of the session
  // runs, so that none comes between its reading and its writing, and while
  // no month opening reads that file: one that opens it meanwhile waits for
  // this change alone. A month left that is not written yet merges that
  // change when it is written; the file of the month on display is looked at
  // at once, and what work wrote there is taken in as what arrives is. What
  // work throws passes on.
  void ChangeFileBeside(int32_t year, int32_t month, const std::function<void()>& work);
  // The notices of copies kept since the last call, oldest first.
  std::vector<KeptCopyNotice> TakeKeptCopyNotices();

  MonthView View() const;
  DayRecord Day(int day) const;
  void CopyTable(MonthTable& table) const;
  // The month as the session holds it, with what was stored and is not in
  // its file yet: on display (and open for edits), or left and not written
  // yet. False when the session holds no such month.
  bool CopyHeldMonth(int32_t year, int32_t month, MonthTable& table) const;
  // Where a copy that an interrupted save left of the month on display was
  // kept aside when it was opened; "" when none was.
  std::string KeptCopy() const;
  // True while something stored is not in its file yet.
  bool HasUnwritten() const;

 private:
  struct OpenedMonth;
  // A month to write: its table, and what its file held when it was last
  // read or written here.
  struct WriteJob {
    char path[kPathSize];
    int32_t year;
    int32_t month;
    int days;
    MonthTable table;
    FileSnapshot base;
    // Another version that found no place in the table, to be kept as a
    // file before the file is written over.
    std::string keep;
    DayMask keepDays;
  };
  // A month left that its file does not hold yet.
  struct LeftMonth {
    uint64_t id;
    WriteJob job;
    bool superseded;  // on display again while it was being written
  };

  // Reads the month's file (or takes the month left unwritten) and puts it
  // on display with the host's grid.
  MonthFileState Open(CToolHost& host, OpenedMonth opened);
  bool IsEditable() const;
  // The month on display as a write; m_monthLock is held.
  WriteJob DisplayedJob() const;
  // The month on display joins the months left; m_monthLock is held.
  void HandOnDisplayedMonth();
  // After a store that changed the table; m_monthLock is held.
  void NoteChange();
  // The text into the field, cut to it, and what was kept into stored; a
  // change is noted. m_monthLock is held.
  void StoreText(char* field, size_t size, const char* text, char* stored);
  // Arms the writer to write after the delay, or sooner; m_monthLock is held.
  void WantWrite(std::chrono::steady_clock::time_point due);
  // Writes the months left, then the month on display when it changed or
  // when displayAlways. False when any write failed.
  bool WriteUnwritten(bool displayAlways);
  // Writes the first month left after the id given; false when there was none.
  bool WriteLeftMonthAfter(uint64_t& id, bool& written);
  // Whether a failure is to be told; m_monthLock is held.
  bool NoteWriteResult(bool written, bool toldByCaller);
  void RunWriter();
  // Keeps what must be kept, then writes merging; m_fileLock is held.
  bool WriteJobThrough(const WriteJob& job, MergingWrite& result);
  // A notice for the user; m_monthLock is held.
  void NoteKeptCopy(int32_t year, int32_t month, DayMask days, const std::string& path);
  // Another version merged into the table on display; what of it finds no
  // place is kept as a file before the next write. m_monthLock is held.
  void MergeIntoDisplay(const MonthTable& base, const MonthTable& theirs, const std::string& theirBytes);
  // Looks at the month file and its folder; m_fileLock is held.
  void Watch();
  // While one is held, its month's file is being read or changed: another
  // that wants the same month waits for it, one for any other goes on.
  class CMonthFileClaim {
   public:
    CMonthFileClaim(CMonthSession& session, int32_t year, int32_t month);
    ~CMonthFileClaim();
    CMonthFileClaim(const CMonthFileClaim&) = delete;
    CMonthFileClaim& operator=(const CMonthFileClaim&) = delete;

   private:
    CMonthSession& m_session;
    const int64_t m_month;  // year * 12 + month - 1
  };
  void FoldCopies(const std::string& folder);
  // The listeners, called with no lock held.
  void Tell(const std::function<void()>& listener);

  IFileSystem& m_files;
  const std::string m_toolName;
  const char m_separator;
  const std::chrono::milliseconds m_writeDelay;
  const std::chrono::milliseconds m_watchInterval;

  // Held across every write, by whichever thread: the copies are taken in
  // turn under it, so the writes land in the order of the tables.
  std::mutex m_fileLock;
  // Guards everything below; held only for copies, never across a call out.
  mutable std::mutex m_monthLock;
  std::condition_variable m_writerWakes;
  MonthTable m_monthTable = {};
  int32_t m_year = 0;
  int32_t m_month = 1;
  int32_t m_selectedDay = 1;
  int32_t m_selectedWeekday = 0;
  int m_days = kDaysInTable;
  MonthGrid m_dayGrid;
  char m_dataFilePath[kPathSize] = {};
  MonthFileState m_fileState = MonthFileState::kNone;
  std::string m_keptCopy;
  // What the file held when it was last read or written here.
  FileSnapshot m_base;
  // How the file stood when it was last looked at; unknown after a write,
  // so that the next look reads it.
  bool m_stampKnown = false;
  FileStamp m_stamp;
  // What arrived and waits for TakeInArrived.
  bool m_arrivalPending = false;
  FileSnapshot m_arrived;
  // The days changed by what arrived, not shown yet.
  DayMask m_arrivedDays = 0;
  // What arrived and found no place, to be kept before the next write.
  std::string m_keep;
  DayMask m_keepDays = 0;
  // The month files' folder as last looked at, for the conflict copies;
  // none before the first look.
  std::string m_watchedFolder;
  FileStamp m_folderStamp;
  std::vector<KeptCopyNotice> m_keptNotices;
  // The months whose files are claimed now, by year * 12 + month - 1.
  std::vector<int64_t> m_claimedMonths;
  std::condition_variable m_claimEnded;
  // Counts the months put on display: a write of an earlier one leaves the
  // state of the one on display as it is.
  uint64_t m_generation = 0;
  // Counts the changes of the month on display, and the change its file holds.
  uint64_t m_changes = 0;
  uint64_t m_changesWritten = 0;
  std::deque<LeftMonth> m_leftMonths;
  uint64_t m_lastLeftId = 0;
  uint64_t m_writingLeftId = 0;
  bool m_writeWanted = false;
  std::chrono::steady_clock::time_point m_writeDue;
  bool m_failing = false;
  bool m_failureTold = false;
  bool m_stopping = false;
  std::function<void()> m_onWriteFailure;
  std::function<void()> m_onArrival;
  std::function<void()> m_onKeptCopy;
  // Last: it starts once everything it uses is there.
  std::thread m_writer;
};
