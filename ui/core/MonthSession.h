#pragma once
// The month on display: its table, its date, its file and what is known of
// the file. The window shows it and calls it; the host's thread saves it.
// Every operation is a whole step, and none calls the host or a window
// while it holds its locks: what the host must answer is asked first.
// What the library throws while a file is read or written (an exhausted
// heap) is a read or a write that failed.
#include <cstdint>
#include <mutex>
#include <string>

#include "data/DayRecord.h"
#include "data/MonthFile.h"
#include "tool/ToolHost.h"

class IFileSystem;

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
  // separator: between the folder names of a month file's path.
  CMonthSession(IFileSystem& files, const char* toolName, char separator);
  CMonthSession(const CMonthSession&) = delete;
  CMonthSession& operator=(const CMonthSession&) = delete;

  // Today's month with today selected, as the window opens; nothing can be
  // saved between the host's answers and the reading of the file. Answers
  // that are no date are clamped: month 1..12, a day the month's file
  // holds, weekday 0..6; grid days beyond the month are left out.
  MonthFileState OpenToday(CToolHost& host);
  // Saves the month on display, then opens the month `months` months later
  // (earlier when negative) with day 1 selected, each month asked of the
  // host from the one before. A month that could not be saved stays.
  MonthStepOutcome Step(CToolHost& host, int months);
  // Writes the month on display to its file.
  MonthSaveOutcome Save(CToolHost& host);
  // The month leaves the display unsaved: later saves write nothing until
  // a month is opened again.
  void Close();

  // False for a day the table has no record for or a weekday that is none.
  bool SelectDay(int day, int weekday);
  // Into the selected day; false for a month that is not open for edits.
  // The text as it was stored (cut to its field) goes to stored.
  bool StoreLine(int lineIndex, const char* text, char (&stored)[kLineSize]);
  bool StoreMemo(const char* text, char (&stored)[kMemoSize]);
  bool StoreSeal(int slotIndex, SealCode code);

  MonthView View() const;
  DayRecord Day(int day) const;
  void CopyTable(MonthTable& table) const;

 private:
  struct OpenedMonth;

  // Reads the month's file and puts it on display with the host's grid.
  MonthFileState Open(CToolHost& host, OpenedMonth opened);
  bool IsEditable() const;

  IFileSystem& m_files;
  const std::string m_toolName;
  const char m_separator;

  // Taken before m_monthLock by every save and every open, so that a month
  // is never written while another is being read into its place.
  std::mutex m_fileLock;
  // Guards everything below; held only for copies, never across a call out.
  mutable std::mutex m_monthLock;
  MonthTable m_monthTable = {};
  int32_t m_year = 0;
  int32_t m_month = 1;
  int32_t m_selectedDay = 1;
  int32_t m_selectedWeekday = 0;
  MonthGrid m_dayGrid;
  char m_dataFilePath[kPathSize] = {};
  MonthFileState m_fileState = MonthFileState::kNone;
  // Counts the months put on display: a save whose host answers belong to
  // an earlier month asks again.
  uint64_t m_generation = 0;
};
