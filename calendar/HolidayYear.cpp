#include "calendar/HolidayYear.h"

#include <array>

namespace {

constexpr const char* kSubstituteHolidayName = "振替休日";
constexpr const char* kCitizensHolidayName = "国民の休日";

constexpr int kMaxDaysInYear = 366;

// Substitute holidays exist since 12 April 1973; from 2007 the substitute
// is the next day that is no national holiday, before only the Monday.
constexpr int kSubstituteFirstYear = 1973;
constexpr int kSubstituteFirstMonth = 4;
constexpr int kSubstituteFirstDay = 12;
constexpr int kSubstituteNextFreeDayYear = 2007;

// The citizens' holiday came into force on 27 December 1985, first
// excluding Sundays; the 2007 law counts every day between two holidays.
constexpr int kCitizensHolidayFirstYear = 1986;
constexpr int kCitizensHolidayOnSundayYear = 2007;

using DayNames = std::array<const char*, kMaxDaysInYear>;  // by day of year - 1

bool SubstituteInForce(int year, int dayIndex) {
  if (year != kSubstituteFirstYear) return year > kSubstituteFirstYear;
  return dayIndex + 1 >= DayOfYear(year, kSubstituteFirstMonth, kSubstituteFirstDay);
}

void AddSubstituteHolidays(int year, int dayCount, const std::array<bool, kMaxDaysInYear>& national,
                           DayNames& names) {
  const int january1 = WeekdayOf(year, 1, 1);
  for (int i = 0; i < dayCount; ++i) {
    if (!national[i] || (january1 + i) % kDaysInWeek != kSunday || !SubstituteInForce(year, i)) continue;
    int substitute = i + 1;
    if (year >= kSubstituteNextFreeDayYear) {
      while (substitute < dayCount && names[substitute] != nullptr) ++substitute;
    }
    if (substitute < dayCount && names[substitute] == nullptr) names[substitute] = kSubstituteHolidayName;
  }
}

void AddCitizensHolidays(int year, int dayCount, const std::array<bool, kMaxDaysInYear>& national,
                         DayNames& names) {
  if (year < kCitizensHolidayFirstYear) return;
  const int january1 = WeekdayOf(year, 1, 1);
  for (int i = 1; i + 1 < dayCount; ++i) {
    if (names[i] != nullptr || !national[i - 1] || !national[i + 1]) continue;
    bool sunday = (january1 + i) % kDaysInWeek == kSunday;
    if (sunday && year < kCitizensHolidayOnSundayYear) continue;
    names[i] = kCitizensHolidayName;
  }
}

}  // namespace

CHolidayYear::CHolidayYear(int year) {
  const std::vector<Holiday> nationalDays = NationalHolidaysOf(year);
  if (nationalDays.empty()) return;

  const int dayCount = DayOfYear(year, kMonthsInYear, 31);
  DayNames names{};
  std::array<bool, kMaxDaysInYear> national{};
  for (const Holiday& h : nationalDays) {
    int index = DayOfYear(year, h.month, h.day) - 1;
    if (index < 0) continue;  // never index before the table
    names[index] = h.name;
    national[index] = true;
  }
  AddSubstituteHolidays(year, dayCount, national, names);
  AddCitizensHolidays(year, dayCount, national, names);

  int month = 1;
  int day = 1;
  for (int i = 0; i < dayCount; ++i) {
    if (names[i] != nullptr) {
      m_holidays.push_back({month, day, names[i]});
      m_dayBits[month - 1] |= uint32_t{1} << day;
    }
    if (++day > DaysInMonth(year, month)) {
      ++month;
      day = 1;
    }
  }
}

bool CHolidayYear::IsHoliday(int month, int day) const {
  if (month < 1 || month > kMonthsInYear || day < 1 || day > 31) return false;
  return (m_dayBits[month - 1] >> day) & 1u;
}

const char* CHolidayYear::NameOf(int month, int day) const {
  for (const Holiday& h : m_holidays) {
    if (h.month == month && h.day == day) return h.name;
  }
  return nullptr;
}
