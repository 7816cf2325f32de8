#pragma once
// The value types of iCalendar that the import reads: TEXT, DATE,
// DATE-TIME and DURATION.
#include <string>
#include <string_view>
#include <vector>

// Backslash escapes resolved; \n and \N are line breaks (LF).
std::string UnescapeText(std::string_view value);

// TEXT values separated by unescaped commas, each unescaped.
std::vector<std::string> SplitTextList(std::string_view value);

// A DATE or DATE-TIME as written: no zone is applied.
struct CalendarTime {
  int year = 0;
  int month = 0;
  int day = 0;
  bool hasTime = false;
  int hour = 0;
  int minute = 0;
  int second = 0;
  bool utc = false;  // written with Z

  int SecondOfDay() const { return (hour * 60 + minute) * 60 + second; }
};

// "YYYYMMDD" or "YYYYMMDDTHHMMSS" with an optional Z; false for anything
// else and for a date or time that does not exist.
bool ParseCalendarTime(std::string_view value, CalendarTime& time);

// A comma-separated list of them (EXDATE, RDATE).
bool ParseCalendarTimeList(std::string_view value, std::vector<CalendarTime>& times);

// A DURATION ("P1D", "PT1H30M", "P2W", "-P1D"), in whole seconds.
bool ParseDuration(std::string_view value, long long& seconds);
