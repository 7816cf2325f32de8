#include "ui/core/DayFacts.h"

CHolidayBracket::CHolidayBracket(CToolHost& host, int year) : m_host(host), m_year(year) {
  m_host.HolidayQuery(kHolidayOpen, m_year, 0, 0);
}

CHolidayBracket::~CHolidayBracket() { m_host.HolidayQuery(kHolidayClose, m_year, 0, 0); }

bool AskIsHoliday(CToolHost& host, int year, int month, int day) {
  CHolidayBracket bracket(host, year);
  return host.HolidayQuery(kHolidayIsHoliday, month, day, year) != 0;
}

bool AskIsToday(CToolHost& host, int year, int month, int day) {
  return host.CalendarQuery(kCalTodayDay, 0, 0) == day && host.CalendarQuery(kCalTodayMonth, 0, 0) == month &&
         host.CalendarQuery(kCalTodayYear, 0, 0) == year;
}

ColorRef AskDayNumberColour(CToolHost& host, int year, int month, int day, int column, const CalendarPalette& palette,
                            bool selected) {
  const bool holiday = AskIsHoliday(host, year, month, day);
  const bool today = AskIsToday(host, year, month, day);
  return DayNumberColour(palette, column, holiday, today, selected);
}

const char* AskCalendarText(CToolHost& host, int code, intptr_t a, intptr_t b) {
  const char* text = reinterpret_cast<const char*>(host.CalendarQuery(code, a, b));
  return text != nullptr ? text : "";
}
