#include "host/core/CalendarAnswers.h"

#include "calendar/CalendarFacts.h"

namespace {

bool IsValidMonth(int year, int month) { return DaysInMonth(year, month) > 0; }

}  // namespace

int PrevMonthFirstWeekday(const DateRecord& date) {
  if (!IsValidMonth(date.wYear, date.wMonth)) return -1;
  if (date.wMonth == 1) return WeekdayOf(date.wYear - 1, kMonthsInYear, 1);
  return WeekdayOf(date.wYear, date.wMonth - 1, 1);
}

int NextMonthFirstWeekday(const DateRecord& date) {
  if (!IsValidMonth(date.wYear, date.wMonth)) return -1;
  if (date.wMonth == kMonthsInYear) return WeekdayOf(date.wYear + 1, 1, 1);
  return WeekdayOf(date.wYear, date.wMonth + 1, 1);
}

bool FillMonthGrid(MonthGrid& grid, int year, int month) {
  grid = MonthGrid{};
  if (!IsValidMonth(year, month)) return false;
  // Day 1 sits in row 0 at its weekday; the last day of a 31-day month
  // starting on Saturday lands in cell 36, within the 42.
  int cell = WeekdayOf(year, month, 1);
  for (int day = 1; day <= DaysInMonth(year, month) && cell < MonthGrid::kCells; ++day, ++cell) {
    grid.cells[cell] = static_cast<unsigned char>(day);
  }
  return true;
}
