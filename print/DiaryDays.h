#pragma once
// The days a printed diary shows, read from the book: a range of dates,
// each with its weekday, its holiday's name, its seals, lines and memo.
#include <functional>
#include <string>
#include <vector>

#include "calendar/DayNumber.h"
#include "calendar/YearMonth.h"
#include "data/DayRecord.h"
#include "data/MonthFile.h"

struct DiaryDay {
  CalendarDate date;
  int weekday;          // 0 = Sunday
  std::string holiday;  // cp932; "" for a day that is none
  DayRecord record;
};

// No seal, no line, no memo.
bool IsEmptyDay(const DayRecord& record);

// The month as the book holds it: the month on display with what is not
// in its file yet, the others from their files.
using DiaryMonthReader = std::function<MonthReadOutcome(int year, int month, MonthTable& table)>;
// The host's answer for a day number.
using DiaryHolidays = std::function<bool(int dayNumber)>;

struct DiaryDays {
  std::vector<DiaryDay> days;
  // Months whose file is there but could not be read: none of their days
  // is among the days, empty or not.
  std::vector<YearMonth> unreadable;
};

// The days from one date to another, both included, in order; empty days
// only when withEmptyDays. A holiday is what the host says is one, named
// as the law names it ("祝日" where the law names none that day).
DiaryDays CollectDiaryDays(const CalendarDate& from, const CalendarDate& to, bool withEmptyDays,
                           const DiaryMonthReader& readMonth, const DiaryHolidays& isHoliday);
