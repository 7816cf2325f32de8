#pragma once
// The host-services object the host hands to the factory, and the records
// it exchanges with the tool. Plain C++: the core can be driven by a fake.
#include <cstdint>

// A SYSTEMTIME with only year, month, weekday and day set.
struct DateRecord {
  uint16_t wYear = 0;
  uint16_t wMonth = 0;
  uint16_t wDayOfWeek = 0;
  uint16_t wDay = 0;
  uint16_t wHour = 0;
  uint16_t wMinute = 0;
  uint16_t wSecond = 0;
  uint16_t wMilliseconds = 0;
};
static_assert(sizeof(DateRecord) == 16, "DateRecord has the layout of SYSTEMTIME");

// 6 rows of 7 day numbers, row-major, column 0 = Sunday; 0 = no day.
struct MonthGrid {
  static constexpr int kRows = 6;
  static constexpr int kColumns = 7;
  static constexpr int kCells = kRows * kColumns;
  unsigned char cells[kCells] = {};

  unsigned char At(int row, int column) const { return cells[row * kColumns + column]; }
};
static_assert(sizeof(MonthGrid) == 42, "MonthGrid is 42 bytes");

// CalendarQuery codes.
enum CalendarCode : int {
  kCalTodayYear = 0,
  kCalTodayMonth = 1,
  kCalTodayDay = 2,
  kCalTodayWeekday = 6,
  kCalPrevMonthFirstWeekday = 8,
  kCalNextMonthFirstWeekday = 9,
  kCalDaysInMonth = 11,
  kCalFillMonthGrid = 14,
  kCalMonthName = 15,
  kCalWeekdayName = 16,
};

// HolidayQuery codes.
enum HolidayCode : int {
  kHolidayOpen = 0,
  kHolidayClose = 1,
  kHolidayIsHoliday = 2,
};

constexpr int kToolId = 17;

// Five operations, in this slot order. The host owns the object; the tool
// never deletes it, hence no virtual destructor (which would add slots).
class CToolHost {
 public:
  // Writes at most 7 characters and a terminator; "" for a key never stored.
  virtual int GetSetting(int toolId, const char* key, char* value) = 0;
  virtual int SetSetting(int toolId, const char* key, const char* value) = 0;
  // The data directory, without a trailing backslash.
  virtual const char* GetDataDirectory(int a, int b) = 0;
  // An int or a text pointer, depending on the code; used at once.
  virtual intptr_t CalendarQuery(int code, intptr_t a, intptr_t b) = 0;
  virtual int HolidayQuery(int code, int a, int b, int c) = 0;

 protected:
  ~CToolHost() = default;
};
