#include "ui/core/MonthSession.h"

#include <algorithm>
#include <cstring>
#include <exception>

#include "data/FileSystem.h"

namespace {

constexpr int32_t kMonthsInYear = 12;
constexpr intptr_t kShortestMonth = 28;
constexpr int32_t kSaturday = 6;

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

// What the library throws while the file is read (an exhausted heap) is a
// read that failed: the month is protected, never taken for empty.
MonthReadOutcome ReadWithoutThrowing(IFileSystem& files, const char* path, MonthTable& table) {
  try {
    return ReadMonthFileRetrying(files, path, table);
  } catch (const std::exception&) {
    ClearMonth(table);
    return MonthReadOutcome::kUnreadable;
  }
}

// And while it is written, a write that failed: the old file stays.
MonthWriteOutcome WriteWithoutThrowing(IFileSystem& files, const char* path, const MonthTable& table, int days) {
  try {
    return WriteMonthFileThrough(files, path, table, [days] { return days; });
  } catch (const std::exception&) {
    return MonthWriteOutcome::kFailed;
  }
}

MonthFileState StateAfterReading(MonthReadOutcome outcome) {
  switch (outcome) {
    case MonthReadOutcome::kRead:
      return MonthFileState::kRead;
    case MonthReadOutcome::kAbsent:
      return MonthFileState::kAbsent;
    case MonthReadOutcome::kUnreadable:
      break;
  }
  return MonthFileState::kUnreadable;
}

}  // namespace

// The date of a month to open: year and month as int32 (the host's record
// holds only 16 bits of them), the day and weekday to select.
struct CMonthSession::OpenedMonth {
  int32_t year;
  int32_t month;
  int32_t day;
  int32_t weekday;
};

CMonthSession::CMonthSession(IFileSystem& files, const char* toolName, char separator)
    : m_files(files), m_toolName(toolName), m_separator(separator) {}

MonthFileState CMonthSession::OpenToday(CToolHost& host) {
  OpenedMonth today;
  today.year = static_cast<int32_t>(host.CalendarQuery(kCalTodayYear, 0, 0));
  today.month = static_cast<int32_t>(host.CalendarQuery(kCalTodayMonth, 0, 0));
  today.day = static_cast<int32_t>(host.CalendarQuery(kCalTodayDay, 0, 0));
  today.weekday = static_cast<int32_t>(host.CalendarQuery(kCalTodayWeekday, 0, 0));
  return Open(host, today);
}

MonthStepOutcome CMonthSession::Step(CToolHost& host, int months) {
  MonthSaveOutcome saved = Save(host);
  if (saved == MonthSaveOutcome::kFailed) return {saved, View().fileState, false};
  OpenedMonth next;
  {
    std::lock_guard<std::mutex> lock(m_monthLock);
    next = {m_year, m_month, m_selectedDay, m_selectedWeekday};
  }
  const bool forward = months > 0;
  for (int step = 0; step < (forward ? months : -months); ++step) {
    DateRecord date = MakeDateRecord(next.year, next.month, next.weekday, next.day);
    next.weekday = SaneWeekday(host.CalendarQuery(forward ? kCalNextMonthFirstWeekday : kCalPrevMonthFirstWeekday,
                                                  reinterpret_cast<intptr_t>(&date), 0));
    next.day = 1;
    next.month += forward ? 1 : -1;
    if (next.month > kMonthsInYear) {
      next.month = 1;
      ++next.year;
    } else if (next.month < 1) {
      next.month = kMonthsInYear;
      --next.year;
    }
  }
  return {saved, Open(host, next), true};
}

MonthFileState CMonthSession::Open(CToolHost& host, OpenedMonth opened) {
  // Whatever the host answers, the selected day is one the table and the
  // file hold, and the date given back to the host is a date.
  opened.month = std::clamp(opened.month, 1, kMonthsInYear);
  const int days = SaneDayCount(host.CalendarQuery(kCalDaysInMonth, opened.year, opened.month));
  opened.day = std::clamp(opened.day, 1, days);
  opened.weekday = SaneWeekday(opened.weekday);
  const char* directory = host.GetDataDirectory(1, 0);
  char path[kPathSize] = {};
  // No data folder, or a path that does not fit: the month could never be
  // written, so it is protected.
  const bool placed = directory != nullptr &&
                      FormatMonthFilePath(path, directory, m_toolName.c_str(), opened.year, opened.month, m_separator);
  DateRecord date = MakeDateRecord(opened.year, opened.month, opened.weekday, opened.day);
  MonthGrid grid;
  host.CalendarQuery(kCalFillMonthGrid, reinterpret_cast<intptr_t>(&grid), reinterpret_cast<intptr_t>(&date));
  // A day the file does not hold is never offered for edits.
  for (unsigned char& cell : grid.cells) cell = cell <= days ? cell : 0;

  std::lock_guard<std::mutex> fileLock(m_fileLock);
  MonthTable table;
  // A month whose path does not fit could never be written: protected too.
  const MonthFileState state =
      placed ? StateAfterReading(ReadWithoutThrowing(m_files, path, table)) : MonthFileState::kUnreadable;
  if (!placed) ClearMonth(table);
  std::lock_guard<std::mutex> lock(m_monthLock);
  m_monthTable = table;
  m_year = opened.year;
  m_month = opened.month;
  m_selectedDay = opened.day;
  m_selectedWeekday = opened.weekday;
  m_dayGrid = grid;
  std::memcpy(m_dataFilePath, path, sizeof path);
  m_fileState = state;
  ++m_generation;
  return state;
}

MonthSaveOutcome CMonthSession::Save(CToolHost& host) {
  for (;;) {
    int32_t year;
    int32_t month;
    uint64_t generation;
    {
      std::lock_guard<std::mutex> lock(m_monthLock);
      if (m_fileState == MonthFileState::kNone) return MonthSaveOutcome::kNotOpen;
      if (m_fileState == MonthFileState::kUnreadable) return MonthSaveOutcome::kProtected;
      year = m_year;
      month = m_month;
      generation = m_generation;
    }
    const int days = SaneDayCount(host.CalendarQuery(kCalDaysInMonth, year, month));

    std::lock_guard<std::mutex> fileLock(m_fileLock);
    MonthTable table;
    char path[kPathSize];
    {
      std::lock_guard<std::mutex> lock(m_monthLock);
      // Another month came on display while the host answered: ask again.
      if (generation != m_generation) continue;
      table = m_monthTable;
      std::memcpy(path, m_dataFilePath, sizeof path);
    }
    if (WriteWithoutThrowing(m_files, path, table, days) == MonthWriteOutcome::kFailed) {
      return MonthSaveOutcome::kFailed;
    }
    std::lock_guard<std::mutex> lock(m_monthLock);
    if (generation == m_generation) m_fileState = MonthFileState::kWritten;
    return MonthSaveOutcome::kWritten;
  }
}

void CMonthSession::Close() {
  std::lock_guard<std::mutex> lock(m_monthLock);
  ClearMonth(m_monthTable);
  m_fileState = MonthFileState::kNone;
  ++m_generation;
}

bool CMonthSession::SelectDay(int day, int weekday) {
  if (day < 1 || day > kDaysInTable || weekday < 0 || weekday > kSaturday) return false;
  std::lock_guard<std::mutex> lock(m_monthLock);
  m_selectedDay = day;
  m_selectedWeekday = weekday;
  return true;
}

bool CMonthSession::IsEditable() const {
  return m_fileState != MonthFileState::kNone && m_fileState != MonthFileState::kUnreadable;
}

bool CMonthSession::StoreLine(int lineIndex, const char* text, char (&stored)[kLineSize]) {
  std::lock_guard<std::mutex> lock(m_monthLock);
  if (!IsEditable() || lineIndex < 0 || lineIndex >= kLineCount) return false;
  char* field = m_monthTable.Day(m_selectedDay).szLine[lineIndex];
  StoreFieldText(field, kLineSize, text);
  std::memcpy(stored, field, kLineSize);
  return true;
}

bool CMonthSession::StoreMemo(const char* text, char (&stored)[kMemoSize]) {
  std::lock_guard<std::mutex> lock(m_monthLock);
  if (!IsEditable()) return false;
  DayRecord& day = m_monthTable.Day(m_selectedDay);
  SetDayMemo(day, text);
  std::memcpy(stored, day.szMemo, kMemoSize);
  return true;
}

bool CMonthSession::StoreSeal(int slotIndex, SealCode code) {
  std::lock_guard<std::mutex> lock(m_monthLock);
  if (!IsEditable() || slotIndex < 0 || slotIndex >= kSealSlots) return false;
  m_monthTable.Day(m_selectedDay).nSeal[slotIndex] = code;
  return true;
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
