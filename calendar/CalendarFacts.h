#pragma once
// Gregorian calendar facts: leap years, month lengths, weekdays.

constexpr int kMinYear = 1;
constexpr int kMaxYear = 65535;  // the largest year the host's 16-bit dates hold
constexpr int kMonthsInYear = 12;
constexpr int kDaysInWeek = 7;

enum Weekday : int { kSunday = 0, kMonday, kTuesday, kWednesday, kThursday, kFriday, kSaturday };

bool IsLeapYear(int year);

// 0 for a month outside 1..12 or a year outside kMinYear..kMaxYear.
int DaysInMonth(int year, int month);

// The date exists, in kMinYear..kMaxYear.
bool IsValidDate(int year, int month, int day);

// 0 = Sunday .. 6 = Saturday; -1 for a date that does not exist.
int WeekdayOf(int year, int month, int day);

// 1 for 1 January; 0 for a date that does not exist.
int DayOfYear(int year, int month, int day);
