#pragma once
// Dates counted in days, for stepping across months and years.

struct CalendarDate {
  int year;
  int month;
  int day;
};

// Days since 1 January of year 1 (day 0, a Monday), for a date that exists.
int DayNumberOf(int year, int month, int day);
inline int DayNumberOf(const CalendarDate& date) { return DayNumberOf(date.year, date.month, date.day); }

// The date of a day number of 0 or more.
CalendarDate DateOfDayNumber(int dayNumber);

// 0 = Sunday .. 6 = Saturday.
inline int WeekdayOfDayNumber(int dayNumber) { return (dayNumber + 1) % 7; }
