#pragma once
// What the user chose to print: the month on display as a calendar, or the
// diary of a range of days, with or without the empty ones.
#include <string>

#include "calendar/DayNumber.h"

enum class PrintKind { kMonth, kDiary };

struct PrintChoice {
  PrintKind kind = PrintKind::kMonth;
  bool wholeMonth = true;  // the diary of the month on display, not from and to
  CalendarDate from = {};
  CalendarDate to = {};
  bool withEmptyDays = false;
};

// Ten years of days: more is no diary anyone prints.
constexpr int kMostDiaryDays = 3653;

// The month on display as a calendar; a diary would be of its days.
PrintChoice DefaultPrintChoice(int year, int month);
// The diary's first and last day: the month's when wholeMonth.
void DiaryRange(const PrintChoice& choice, int shownYear, int shownMonth, CalendarDate& from, CalendarDate& to);
// "" when the choice can be printed; what the user is told otherwise (cp932).
std::string CheckPrintChoice(const PrintChoice& choice, int shownYear, int shownMonth);
