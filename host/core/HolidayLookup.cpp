#include "host/core/HolidayLookup.h"

void CHolidayLookup::Open(int year) {
  ++m_counts.opens;
  ++m_openDepth[year];
}

void CHolidayLookup::Close(int year) {
  ++m_counts.closes;
  auto open = m_openDepth.find(year);
  if (open == m_openDepth.end()) {
    ++m_counts.unmatchedCloses;
    return;
  }
  if (--open->second == 0) m_openDepth.erase(open);
}

bool CHolidayLookup::IsHoliday(int year, int month, int day) {
  if (m_openDepth.count(year) == 0) ++m_counts.queriesOutsideBracket;
  if (year < kFirstHolidayYear || year > kLastHolidayYear) return false;
  return YearTable(year).IsHoliday(month, day);
}

const CHolidayYear& CHolidayLookup::YearTable(int year) {
  auto found = m_years.find(year);
  if (found == m_years.end()) found = m_years.emplace(year, CHolidayYear(year)).first;
  return found->second;
}
