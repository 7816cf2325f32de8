#pragma once
// The host's answers a calendar cell needs: holiday and today, asked in
// the order and within the brackets the host expects.
#include "tool/ToolHost.h"
#include "ui/core/CalendarColours.h"

// Opens a holiday lookup for a year and closes it when it goes.
class CHolidayBracket {
 public:
  CHolidayBracket(CToolHost& host, int year);
  CHolidayBracket(const CHolidayBracket&) = delete;
  CHolidayBracket& operator=(const CHolidayBracket&) = delete;
  ~CHolidayBracket();

 private:
  CToolHost& m_host;  // not owned
  int m_year;
};

// One question in a bracket of its own.
bool AskIsHoliday(CToolHost& host, int year, int month, int day);
// Day, then month, then year, each asked only while the previous matched.
bool AskIsToday(CToolHost& host, int year, int month, int day);
// The day number's colour in the palette: the holiday is always asked, then today.
ColorRef AskDayNumberColour(CToolHost& host, int year, int month, int day, int column, const CalendarPalette& palette,
                            bool selected);
// A text the host answers (a month's or weekday's name); "" for none.
const char* AskCalendarText(CToolHost& host, int code, intptr_t a, intptr_t b);
