#pragma once
// What a screen reader says of the calendar and the day page, in words: a
// day's name tells what a sighted user sees in its cell, the meaning of its
// colours too (Sunday and holidays are red, today is green), so that it
// holds in high contrast, where every day is painted alike. cp932, as
// the book's own texts; the window widens it to UTF-16.
#include <string>

#include "book/MonthSession.h"
#include "data/DayRecord.h"

struct DayNameFacts {
  int month = 1;
  int day = 1;
  int weekday = 0;                // 0 = Sunday; outside 0 to 6 not said
  const char* holiday = nullptr;  // the holiday's name; nullptr on a day that is none
  bool today = false;
  // The month's file could not be read: the day's contents are not known.
  bool unreadable = false;
};

// What the host said of the month shown and of today, asked on the
// window's thread, where the host may be asked.
struct MonthFacts {
  int32_t year = 0;  // the month the holidays are of; 0 before the host was asked
  int32_t month = 0;
  std::string holidays[kDaysInTable + 1];  // by day, cp932; "" on a day that is none
  int todayYear = 0;
  int todayMonth = 0;
  int todayDay = 0;
};

// The facts of a day of the view: its weekday is its grid column. A
// holiday is known only for the month the facts are of.
DayNameFacts FactsOfDay(const MonthView& view, const MonthFacts& facts, int day);

// "12月9日 水曜日 予定 10:00 会議、歯医者 シール 打ち合わせ、会議": the date,
// weekday, holiday and today, then the lines in order, every seal of the
// day by name, and a memo when it has one.
std::string DayAccessibleName(const DayRecord& record, const DayNameFacts& facts);

// "2010年3月"
std::string MonthAccessibleName(int year, int month);

// "予定 1" to "予定 5".
std::string LineBoxAccessibleName(int line);
// "シール 1 病院", "シール 2 なし": slot 1 to 4 by the seal it holds.
std::string SealSlotAccessibleName(int slot, SealCode code);

extern const char kMemoBoxAccessibleName[];
extern const char kDiaryCoverAccessibleName[];
// A day the host calls a holiday that has no name here.
extern const char kUnnamedHolidayName[];
