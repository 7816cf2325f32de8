#pragma once
// One year's holidays, computed once: the national holidays, the
// substitute holidays and the citizens' holidays that follow from them.
#include <cstdint>
#include <vector>

#include "calendar/CalendarFacts.h"
#include "calendar/NationalHolidays.h"

class CHolidayYear {
 public:
  explicit CHolidayYear(int year);

  bool IsHoliday(int month, int day) const;
  // The holiday's Japanese name, or nullptr for a day that is none.
  const char* NameOf(int month, int day) const;
  // Every holiday of the year in date order, for a listing.
  const std::vector<Holiday>& Holidays() const { return m_holidays; }

 private:
  std::vector<Holiday> m_holidays;
  uint32_t m_dayBits[kMonthsInYear] = {};  // bit d set: day d is a holiday
};
