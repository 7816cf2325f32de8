#include "book/MonthSession.h"

#include <algorithm>
#include <cstring>
#include <exception>

#include "calendar/CalendarFacts.h"
#include "data/FileSystem.h"
#include "data/MergingWrite.h"
#include "data/MonthFileRecovery.h"
#include "data/MonthFileWriter.h"
#include "data/RecoveredFolder.h"

namespace {

constexpr intptr_t kShortestMonth = 28;

using Clock = std::chrono::steady_clock;

// The host's day count of a month. One no month has is not believed: the
// whole table is kept, so no day that holds text is left out of the file.
int SaneDayCount(intptr_t answer) {
  return answer >= kShortestMonth && answer <= kDaysInTable ? static_cast<int>(answer) : kDaysInTable;
}

int32_t SaneWeekday(intptr_t answer) { return static_cast<int32_t>(std::clamp<intptr_t>(answer, 0, kSaturday)); }

DateRecord MakeDateRecord(int32_t year, int32_t month, int32_t weekday, int32_t day) {
  DateRecord date;
  date.wYear = static_cast<uint16_t>(year);
  date.wMonth = static_cast<uint16_t>(month);
  date.wDayOfWeek = static_cast<uint16_t>(weekday);
  date.wDay = static_cast<uint16_t>(day);
  return date;
}

// A month whose path, or whose temporary file's, does not fit could never
// be written.
bool PlaceMonthFile(char (&path)[kPathSize], const char* directory, const char* toolName, int32_t year, int32_t month,
                    char separator) {
  char temporary[kPathSize];
  char folder[kPathSize];
  return directory != nullptr && FormatMonthFilePath(path, directory, toolName, year, month, separator) &&
         MakeTemporaryPath(path, temporary, folder);
}

// What an interrupted save left is settled first; what the library throws
// meanwhile leaves the month unread, never taken for empty. base gets the
// file's bytes.
MonthFileState ReadSettled(IFileSystem& files, const char* path, int days, MonthTable& table, FileSnapshot& base,
                           std::string& keptCopy) {
  try {
    const MonthRecovery recovery = SettleInterruptedSave(files, path, days);
    keptCopy = recovery.keptPath;
    files.Unhide(path);  // an earlier version's crash could leave it hidden
    if (recovery.settlement != CopySettlement::kUnsettled) {
      switch (ReadFileSnapshot(files, path, base)) {
        case SnapshotRead::kRead:
          ParseSnapshotMonth(base, table);
          return MonthFileState::kRead;
        case SnapshotRead::kAbsent:
          ClearMonth(table);
          return MonthFileState::kAbsent;
        case SnapshotRead::kUnreadable:
          break;
      }
    }
  } catch (const std::exception&) {
  }
  ClearMonth(table);
  base = FileSnapshot();
  return MonthFileState::kUnreadable;
}

}  // namespace

CMonthSession::CMonthFileClaim::CMonthFileClaim(CMonthSession& session, int32_t year, int32_t month)
    : m_session(session), m_month(int64_t{year} * MonthView::kMonthsInYear + month - 1) {
  std::unique_lock<std::mutex> lock(m_session.m_monthLock);
  std::vector<int64_t>& claimed = m_session.m_claimedMonths;
  m_session.m_claimEnded.wait(lock,
                              [&] { return std::find(claimed.begin(), claimed.end(), m_month) == claimed.end(); });
  claimed.push_back(m_month);
}

CMonthSession::CMonthFileClaim::~CMonthFileClaim() {
  {
    std::lock_guard<std::mutex> lock(m_session.m_monthLock);
    std::vector<int64_t>& claimed = m_session.m_claimedMonths;
    claimed.erase(std::find(claimed.begin(), claimed.end(), m_month));
  }
  m_session.m_claimEnded.notify_all();
}

// The date of a month to open: year and month as int32 (the host's record
// holds only 16 bits of them), the day and weekday to select.
struct CMonthSession::OpenedMonth {
  int32_t year;
  int32_t month;
  int32_t day;
  int32_t weekday;
};

CMonthSession::CMonthSession(IFileSystem& files, const char* toolName, char separator,
                             std::chrono::milliseconds writeDelay, std::chrono::milliseconds watchInterval)
    : m_files(files),
      m_toolName(toolName),
      m_separator(separator),
      m_writeDelay(writeDelay),
      m_watchInterval(watchInterval),
      m_writer([this] { RunWriter(); }) {}

CMonthSession::~CMonthSession() {
  {
    std::lock_guard<std::mutex> lock(m_monthLock);
    m_stopping = true;
  }
  m_writerWakes.notify_all();
  m_writer.join();
  if (HasUnwritten()) WriteUnwritten(false);
}

void CMonthSession::SetWriteFailureListener(std::function<void()> listener) {
  std::lock_guard<std::mutex> lock(m_monthLock);
  m_onWriteFailure = std::move(listener);
}

MonthFileState CMonthSession::OpenToday(CToolHost& host) {
  OpenedMonth today;
  today.year = static_cast<int32_t>(host.CalendarQuery(kCalTodayYear, 0, 0));
  today.month = static_cast<int32_t>(host.CalendarQuery(kCalTodayMonth, 0, 0));
  today.day = static_cast<int32_t>(host.CalendarQuery(kCalTodayDay, 0, 0));
  today.weekday = static_cast<int32_t>(host.CalendarQuery(kCalTodayWeekday, 0, 0));
  return Open(host, today);
}

MonthStepOutcome CMonthSession::Step(CToolHost& host, int months) {
  bool failing;
  {
    std::lock_guard<std::mutex> lock(m_monthLock);
    failing = m_failing;
  }
  MonthSaveOutcome saved = MonthSaveOutcome::kHandedOn;
  // Once the disk has refused a write, no further month is left unwritten.
  if (failing) {
    saved = Save();
    if (saved == MonthSaveOutcome::kFailed) return {saved, View().fileState, false};
  }
  OpenedMonth next;
  {
    std::lock_guard<std::mutex> lock(m_monthLock);
    next = {m_year, m_month, m_selectedDay, m_selectedWeekday};
    if (!IsEditable()) {
      saved = m_fileState == MonthFileState::kNone ? MonthSaveOutcome::kNotOpen : MonthSaveOutcome::kProtected;
    } else if (!failing) {
      // Every month left is written, changed or not: browsing makes its file.
      HandOnDisplayedMonth();
      WantWrite(Clock::now());
    }
    // Nothing more is stored into it, and no save takes it for the month on display.
    m_fileState = MonthFileState::kNone;
    ++m_generation;
  }
  m_writerWakes.notify_all();
  const bool forward = months > 0;
  for (int step = 0; step < (forward ? months : -months); ++step) {
    DateRecord date = MakeDateRecord(next.year, next.month, next.weekday, next.day);
    next.weekday = SaneWeekday(host.CalendarQuery(forward ? kCalNextMonthFirstWeekday : kCalPrevMonthFirstWeekday,
                                                  reinterpret_cast<intptr_t>(&date), 0));
    next.day = 1;
    next.month += forward ? 1 : -1;
    if (next.month > MonthView::kMonthsInYear) {
      next.month = 1;
      ++next.year;
    } else if (next.month < 1) {
      next.month = MonthView::kMonthsInYear;
      --next.year;
    }
  }
  return {saved, Open(host, next), true};
}

MonthFileState CMonthSession::Open(CToolHost& host, OpenedMonth opened) {
  // Whatever the host answers, the selected day is one the table and the
  // file hold, and the date given back to the host is a date.
  opened.month = std::clamp(opened.month, 1, MonthView::kMonthsInYear);
  const int days = SaneDayCount(host.CalendarQuery(kCalDaysInMonth, opened.year, opened.month));
  opened.day = std::clamp(opened.day, 1, days);
  opened.weekday = SaneWeekday(opened.weekday);
  char path[kPathSize] = {};
  // No data folder, or a path that does not fit: the month could never be
  // written, so it is protected.
  const bool placed =
      PlaceMonthFile(path, host.GetDataDirectory(1, 0), m_toolName.c_str(), opened.year, opened.month, m_separator);
  DateRecord date = MakeDateRecord(opened.year, opened.month, opened.weekday, opened.day);
  MonthGrid grid;
  host.CalendarQuery(kCalFillMonthGrid, reinterpret_cast<intptr_t>(&grid), reinterpret_cast<intptr_t>(&date));
  // A day the file does not hold is never offered for edits.
  for (unsigned char& cell : grid.cells) cell = cell <= days ? cell : 0;

  // A month left that is not written yet is newer than its file: it comes
  // back from memory, and its file is neither read nor written meanwhile.
  MonthTable table;
  FileSnapshot base;
  std::string keep;
  DayMask keepDays = 0;
  bool unwritten = false;
  {
    std::lock_guard<std::mutex> lock(m_monthLock);
    for (auto left = m_leftMonths.begin(); placed && left != m_leftMonths.end();) {
      if (std::strcmp(left->job.path, path) != 0) {
        ++left;
        continue;
      }
      table = left->job.table;
      base = left->job.base;
      keep = left->job.keep;
      keepDays = left->job.keepDays;
      unwritten = true;
      if (left->id == m_writingLeftId) {
        (left++)->superseded = true;
      } else {
        left = m_leftMonths.erase(left);
      }
    }
  }
  std::string keptCopy;
  MonthFileState state = MonthFileState::kRead;
  if (!unwritten && placed) {
    // Never while a change beside the session writes this file: a month found
    // half replaced would show as unreadable, and its saving copy would be
    // taken for one an interrupted save left. A change of another month's
    // file is not waited for: the window opens months while a run goes on.
    CMonthFileClaim claim(*this, opened.year, opened.month);
    state = ReadSettled(m_files, path, days, table, base, keptCopy);
  } else if (!unwritten) {
    state = MonthFileState::kUnreadable;
    ClearMonth(table);
  }
  {
    std::lock_guard<std::mutex> lock(m_monthLock);
    m_monthTable = table;
    m_year = opened.year;
    m_month = opened.month;
    m_selectedDay = opened.day;
    m_selectedWeekday = opened.weekday;
    m_days = days;
    m_dayGrid = grid;
    std::memcpy(m_dataFilePath, path, sizeof path);
    m_fileState = state;
    m_keptCopy = keptCopy;
    m_base = base;
    m_stampKnown = false;
    m_arrivalPending = false;
    m_arrivedDays = 0;
    m_keep = keep;
    m_keepDays = keepDays;
    ++m_generation;
    m_changesWritten = m_changes;
    if (unwritten) NoteChange();
  }
  m_writerWakes.notify_all();
  return state;
}

MonthSaveOutcome CMonthSession::Save() {
  MonthFileState state;
  {
    std::lock_guard<std::mutex> lock(m_monthLock);
    state = m_fileState;
  }
  const bool written = WriteUnwritten(true);
  {
    std::lock_guard<std::mutex> lock(m_monthLock);
    NoteWriteResult(written, true);
  }
  if (!written) return MonthSaveOutcome::kFailed;
  if (state == MonthFileState::kNone) return MonthSaveOutcome::kNotOpen;
  return state == MonthFileState::kUnreadable ? MonthSaveOutcome::kProtected : MonthSaveOutcome::kWritten;
}

void CMonthSession::Close() {
  {
    std::lock_guard<std::mutex> lock(m_monthLock);
    if (IsEditable() && m_changes != m_changesWritten) HandOnDisplayedMonth();
    ClearMonth(m_monthTable);
    m_fileState = MonthFileState::kNone;
    m_keptCopy.clear();
    ++m_generation;
  }
}

bool CMonthSession::SelectDay(int day, int weekday) {
  if (day < 1 || day > kDaysInTable || weekday < 0 || weekday > kSaturday) return false;
  std::lock_guard<std::mutex> lock(m_monthLock);
  m_selectedDay = day;
  m_selectedWeekday = weekday;
  return true;
}

CMonthSession::WriteJob CMonthSession::DisplayedJob() const {
  WriteJob job;
  std::memcpy(job.path, m_dataFilePath, sizeof job.path);
  job.year = m_year;
  job.month = m_month;
  job.days = m_days;
  job.table = m_monthTable;
  job.base = m_base;
  job.keep = m_keep;
  job.keepDays = m_keepDays;
  return job;
}

void CMonthSession::HandOnDisplayedMonth() {
  LeftMonth left;
  left.id = ++m_lastLeftId;
  left.job = DisplayedJob();
  left.superseded = false;
  m_leftMonths.push_back(left);
  m_keep.clear();
  m_keepDays = 0;
}

bool CMonthSession::IsEditable() const {
  return m_fileState != MonthFileState::kNone && m_fileState != MonthFileState::kUnreadable;
}

void CMonthSession::WantWrite(Clock::time_point due) {
  if (!m_writeWanted || due < m_writeDue) m_writeDue = due;
  m_writeWanted = true;
}

void CMonthSession::NoteChange() {
  ++m_changes;
  // The first change of a burst sets the time; later ones ride along.
  if (!m_writeWanted) WantWrite(Clock::now() + m_writeDelay);
}

void CMonthSession::StoreText(char* field, size_t size, const char* text, char* stored) {
  static_assert(kLineSize <= kMemoSize, "a line fits where a memo does");
  char before[kMemoSize];  // the larger of the two fields
  std::memcpy(before, field, size);
  StoreFieldText(field, size, text);
  if (std::memcmp(before, field, size) != 0) NoteChange();
  std::memcpy(stored, field, size);
}

bool CMonthSession::StoreLine(int lineIndex, const char* text, char (&stored)[kLineSize]) {
  {
    std::lock_guard<std::mutex> lock(m_monthLock);
    if (!IsEditable() || lineIndex < 0 || lineIndex >= kLineCount) return false;
    StoreText(m_monthTable.Day(m_selectedDay).szLine[lineIndex], kLineSize, text, stored);
  }
  m_writerWakes.notify_all();
  return true;
}

bool CMonthSession::StoreMemo(const char* text, char (&stored)[kMemoSize]) {
  {
    std::lock_guard<std::mutex> lock(m_monthLock);
    if (!IsEditable()) return false;
    StoreText(m_monthTable.Day(m_selectedDay).szMemo, kMemoSize, text, stored);
  }
  m_writerWakes.notify_all();
  return true;
}

bool CMonthSession::StoreSeal(int slotIndex, SealCode code) {
  {
    std::lock_guard<std::mutex> lock(m_monthLock);
    if (!IsEditable() || slotIndex < 0 || slotIndex >= kSealSlots) return false;
    SealCode& slot = m_monthTable.Day(m_selectedDay).nSeal[slotIndex];
    if (slot != code) NoteChange();
    slot = code;
  }
  m_writerWakes.notify_all();
  return true;
}

bool CMonthSession::WriteLeftMonthAfter(uint64_t& id, bool& written) {
  LeftMonth left;
  {
    std::lock_guard<std::mutex> lock(m_monthLock);
    auto next =
        std::find_if(m_leftMonths.begin(), m_leftMonths.end(), [id](const LeftMonth& month) { return month.id > id; });
    if (next == m_leftMonths.end()) return false;
    left = *next;
    m_writingLeftId = left.id;
  }
  MergingWrite result;
  written = WriteJobThrough(left.job, result);
  std::lock_guard<std::mutex> lock(m_monthLock);
  m_writingLeftId = 0;
  auto same = std::find_if(m_leftMonths.begin(), m_leftMonths.end(),
                           [&left](const LeftMonth& month) { return month.id == left.id; });
  // One on display again is the display's to write from now on.
  if (same != m_leftMonths.end() && (written || same->superseded)) m_leftMonths.erase(same);
  id = left.id;
  return true;
}

bool CMonthSession::WriteUnwritten(bool displayAlways) {
  std::lock_guard<std::mutex> fileLock(m_fileLock);
  bool allWritten = true;
  uint64_t leftId = 0;
  bool written = true;
  while (WriteLeftMonthAfter(leftId, written)) allWritten = allWritten && written;

  WriteJob job;
  uint64_t generation;
  uint64_t changes;
  {
    std::lock_guard<std::mutex> lock(m_monthLock);
    if (!IsEditable() || (!displayAlways && m_changes == m_changesWritten && m_keep.empty())) return allWritten;
    job = DisplayedJob();
    generation = m_generation;
    changes = m_changes;
  }
  MergingWrite result;
  written = WriteJobThrough(job, result);
  std::function<void()> arrival;
  {
    std::lock_guard<std::mutex> lock(m_monthLock);
    if (written && generation == m_generation) {
      m_changesWritten = std::max(m_changesWritten, changes);
      m_fileState = MonthFileState::kWritten;
      m_base = result.base;
      m_stampKnown = false;
      // The file holds what arrived, merged: nothing is left to take in.
      m_arrivalPending = false;
      if (!job.keep.empty() && m_keep == job.keep) {
        m_keep.clear();
        m_keepDays = 0;
      }
      if (result.merged) {
        // What was stored meanwhile stays; the rest becomes the merge.
        MergeIntoDisplay(job.table, result.written, result.base.bytes);
        if (ChangedDays(m_monthTable, result.written, m_days) != 0) NoteChange();
        arrival = m_onArrival;
      }
    }
  }
  Tell(arrival);
  return allWritten && written;
}

bool CMonthSession::WriteJobThrough(const WriteJob& job, MergingWrite& result) {
  std::function<void()> told;
  bool written = false;
  try {
    std::string keptPath;
    // What found no place is a file of its own before the file is written over.
    if (job.keep.empty() || KeepBytesInRecovered(m_files, job.path, job.keep, keptPath)) {
      result = WriteMonthOverChanges(m_files, job.path, job.base, job.table, job.days);
      written = result.outcome != MonthWriteOutcome::kFailed;
    }
    std::lock_guard<std::mutex> lock(m_monthLock);
    if (!keptPath.empty()) NoteKeptCopy(job.year, job.month, job.keepDays, keptPath);
    if (written && result.unplaced != 0) NoteKeptCopy(job.year, job.month, result.unplaced, result.keptCopy);
    if (!keptPath.empty() || (written && result.unplaced != 0)) told = m_onKeptCopy;
  } catch (const std::exception&) {
    written = false;
  }
  Tell(told);
  return written;
}

bool CMonthSession::NoteWriteResult(bool written, bool toldByCaller) {
  m_failing = !written;
  if (written) {
    m_failureTold = false;
    return false;
  }
  const bool tell = !toldByCaller && !m_failureTold;
  m_failureTold = true;
  return tell;
}

void CMonthSession::RunWriter() {
  std::unique_lock<std::mutex> lock(m_monthLock);
  Clock::time_point nextWatch = Clock::now() + m_watchInterval;
  while (!m_stopping) {
    const Clock::time_point now = Clock::now();
    if (now >= nextWatch) {
      lock.unlock();
      {
        std::lock_guard<std::mutex> fileLock(m_fileLock);
        Watch();
      }
      lock.lock();
      nextWatch = Clock::now() + m_watchInterval;
      continue;
    }
    if (!m_writeWanted || now < m_writeDue) {
      m_writerWakes.wait_until(lock, m_writeWanted ? std::min(m_writeDue, nextWatch) : nextWatch);
      continue;
    }
    // A write that fails is tried again on the next change, not in a loop.
    m_writeWanted = false;
    lock.unlock();
    const bool written = WriteUnwritten(false);
    lock.lock();
    if (NoteWriteResult(written, false) && m_onWriteFailure) {
      std::function<void()> tell = m_onWriteFailure;
      lock.unlock();
      tell();
      lock.lock();
    }
  }
}

MonthView CMonthSession::View() const {
  std::lock_guard<std::mutex> lock(m_monthLock);
  MonthView view;
  view.year = m_year;
  view.month = m_month;
  view.selectedDay = m_selectedDay;
  view.selectedWeekday = m_selectedWeekday;
  view.dayGrid = m_dayGrid;
  view.fileState = m_fileState;
  return view;
}

DayRecord CMonthSession::Day(int day) const {
  std::lock_guard<std::mutex> lock(m_monthLock);
  return day >= 1 && day <= kDaysInTable ? m_monthTable.Day(day) : DayRecord{};
}

void CMonthSession::CopyTable(MonthTable& table) const {
  std::lock_guard<std::mutex> lock(m_monthLock);
  table = m_monthTable;
}

bool CMonthSession::CopyHeldMonth(int32_t year, int32_t month, MonthTable& table) const {
  std::lock_guard<std::mutex> lock(m_monthLock);
  if (IsEditable() && m_year == year && m_month == month) {
    table = m_monthTable;
    return true;
  }
  // The newest of the months left, should one be there twice.
  for (auto left = m_leftMonths.rbegin(); left != m_leftMonths.rend(); ++left) {
    if (left->job.year == year && left->job.month == month) {
      table = left->job.table;
      return true;
    }
  }
  return false;
}

std::string CMonthSession::KeptCopy() const {
  std::lock_guard<std::mutex> lock(m_monthLock);
  return m_keptCopy;
}

bool CMonthSession::HasUnwritten() const {
  std::lock_guard<std::mutex> lock(m_monthLock);
  return !m_leftMonths.empty() || (IsEditable() && (m_changes != m_changesWritten || !m_keep.empty()));
}
