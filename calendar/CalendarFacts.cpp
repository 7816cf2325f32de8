#include "calendar/CalendarFacts.h"

namespace {

constexpr int g_DaysInMonth[kMonthsInYear] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// Sakamoto's month offsets: the weekday shift of each month's start in a
// year counted from March, so that the leap day falls at the year's end.
constexpr int g_MonthOffsets[kMonthsInYear] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};

bool IsValidMonth(int year, int month) {
  return year >= kMinYear && year <= kMaxYear && month >= 1 && month <= kMonthsInYear;
}

}  // namespace

bool IsValidDate(int year, int month, int day) {
  return IsValidMonth(year, month) && day >= 1 && day <= DaysInMonth(year, month);
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  if (!IsValidMonth(year, month)) return 0;
  if (month == 2 && IsLeapYear(year)) return 29;
  return g_DaysInMonth[month - 1];
}

int WeekdayOf(int year, int month, int day) {
  if (!IsValidDate(year, month, day)) return -1;
  int y = month < 3 ? year - 1 : year;
  return (y + y / 4 - y / 100 + y / 400 + g_MonthOffsets[month - 1] + day) % kDaysInWeek;
}

int DayOfYear(int year, int month, int day) {
  if (!IsValidDate(year, month, day)) return 0;
  int count = day;
  for (int m = 1; m < month; ++m) count += DaysInMonth(year, m);
  return count;
}
