#pragma once
// Gregorian calendar facts the host answers: leap years, month lengths,
// weekdays and the day grid of a month.
#include "tool/ToolHost.h"

constexpr int kMinYear = 1;
constexpr int kMaxYear = 65535;  // the largest year a DateRecord holds
constexpr int kMonthsInYear = 12;
constexpr int kDaysInWeek = 7;

enum Weekday : int { kSunday = 0, kMonday, kTuesday, kWednesday, kThursday, kFriday, kSaturday };

bool IsLeapYear(int year);

// 0 for a month outside 1..12 or a year outside kMinYear..kMaxYear.
int DaysInMonth(int year, int month);

// 0 = Sunday .. 6 = Saturday; -1 for a date that does not exist.
int WeekdayOf(int year, int month, int day);

// 1 for 1 January; 0 for a date that does not exist.
int DayOfYear(int year, int month, int day);

// The weekday of the first day of the month before / after the record's
// month, across year ends; -1 when either month lies outside the calendar.
int PrevMonthFirstWeekday(const DateRecord& date);
int NextMonthFirstWeekday(const DateRecord& date);

// Lays the month out in its weekday columns, week after week from row 0;
// every other cell 0. A month that does not exist leaves the grid all 0.
// Returns whether a month was laid out.
bool FillMonthGrid(MonthGrid& grid, int year, int month);
