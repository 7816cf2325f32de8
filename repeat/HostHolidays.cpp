#include "repeat/HostHolidays.h"

#include "calendar/CalendarFacts.h"
#include "calendar/DayNumber.h"
#include "ui/core/DayFacts.h"

CHostHolidays::CHostHolidays(CToolHost& host) : m_host(host) {}

bool CHostHolidays::IsHoliday(int dayNumber) {
  const CalendarDate date = DateOfDayNumber(dayNumber);
  auto year = m_years.find(date.year);
  if (year == m_years.end()) {
    std::vector<bool> days;
    CHolidayBracket bracket(m_host, date.year);
    for (int month = 1; month <= kMonthsInYear; ++month) {
      for (int day = 1; day <= DaysInMonth(date.year, month); ++day) {
        days.push_back(m_host.HolidayQuery(kHolidayIsHoliday, month, day, date.year) != 0);
      }
    }
    year = m_years.emplace(date.year, std::move(days)).first;
  }
  const int index = DayOfYear(date.year, date.month, date.day) - 1;
  return index >= 0 && index < static_cast<int>(year->second.size()) && year->second[index];
}
