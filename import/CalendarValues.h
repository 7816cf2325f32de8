#pragma once
// The value types of iCalendar that the import reads: TEXT, DATE,
// DATE-TIME and DURATION.
#include <string>
#include <string_view>
#include <vector>

// ASCII letters in upper case: names and enumerated values are case-insensitive.
std::string UpperCase(std::string text);

// Backslash escapes resolved; \n and \N are line breaks (LF).
std::string UnescapeText(std::string_view value);

// TEXT values separated by unescaped commas, each unescaped and without
// the spaces around it.
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

// The items of a list, each without the spaces around it: some
// applications write "MO, TU" or "20240105, 20240112".
std::vector<std::string_view> SplitValueList(std::string_view value, char separator);

// A comma-separated list of them (EXDATE). False when an item is none; the
// others are read all the same.
bool ParseCalendarTimeList(std::string_view value, std::vector<CalendarTime>& times);

// How long an event, or one date of it, lasts as written: an end, a
// duration, or neither.
struct EventLength {
  bool hasEnd = false;
  CalendarTime end;
  bool hasDuration = false;
  long long durationSeconds = 0;
};

// One RDATE item: a date, a date-time, or a period that brings its own length.
struct ExtraDate {
  CalendarTime start;
  std::string zone;  // the TZID of its RDATE line
  bool isPeriod = false;
  EventLength length;  // of a period
};

// A comma-separated RDATE value. False when an item is none; the others are
// read all the same.
bool ParseExtraDateList(std::string_view value, std::vector<ExtraDate>& dates);

// A DURATION ("P1D", "PT1H30M", "P2W", "-P1D"), in whole seconds.
bool ParseDuration(std::string_view value, long long& seconds);
