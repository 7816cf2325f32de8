#include "import/ZoneRules.h"

#include <algorithm>

#include "calendar/DayNumber.h"
#include "calendar/DecimalDigits.h"
#include "import/RecurrenceExpansion.h"

namespace {

constexpr long long kSecondsPerDay = 86400;
constexpr int kLastYear = 9999;
// Years worked out at once past the one asked for.
constexpr int kYearsAhead = 30;
// Onsets of one part at most: a zone that changes daily is broken input.
constexpr size_t kMaxOnsets = 20000;

long long DaySeconds(int dayNumber) { return dayNumber * kSecondsPerDay; }

int YearOfSeconds(long long seconds) {
  if (seconds < 0) return 1;
  long long day = seconds / kSecondsPerDay;
  return day > DayNumberOf(kLastYear, 12, 31) ? kLastYear : DateOfDayNumber(static_cast<int>(day)).year;
}

}  // namespace

long long SecondsOf(const CalendarTime& time) {
  long long seconds = DaySeconds(DayNumberOf(time.year, time.month, time.day));
  return time.hasTime ? seconds + time.SecondOfDay() : seconds;
}

bool TimeOfSeconds(long long seconds, CalendarTime& time) {
  if (seconds < 0 || seconds / kSecondsPerDay > DayNumberOf(kLastYear, 12, 31)) return false;
  CalendarDate date = DateOfDayNumber(static_cast<int>(seconds / kSecondsPerDay));
  int second = static_cast<int>(seconds % kSecondsPerDay);
  time = CalendarTime();
  time.year = date.year;
  time.month = date.month;
  time.day = date.day;
  time.hasTime = true;
  time.hour = second / 3600;
  time.minute = second / 60 % 60;
  time.second = second % 60;
  return true;
}

bool ParseUtcOffset(std::string_view value, int& seconds) {
  if ((value.size() != 5 && value.size() != 7) || (value[0] != '+' && value[0] != '-')) return false;
  int hours = 0, minutes = 0, extra = 0;
  if (!ReadDecimalDigits(value.substr(1, 2), hours) || !ReadDecimalDigits(value.substr(3, 2), minutes) ||
      (value.size() == 7 && !ReadDecimalDigits(value.substr(5, 2), extra)) || minutes > 59 || extra > 59) {
    return false;
  }
  seconds = (hours * 60 + minutes) * 60 + extra;
  if (value[0] == '-') seconds = -seconds;
  return true;
}

void CZoneRules::AddPart(const ZonePart& part) {
  if (!part.hasStart || !part.hasOffsetTo) return;
  m_parts.push_back(part);
  if (!m_parts.back().hasOffsetFrom) m_parts.back().offsetFrom = part.offsetTo;
  m_coveredYear = 0;
}

void CZoneRules::Cover(long long seconds) const {
  int year = YearOfSeconds(seconds) + 1;
  if (year <= m_coveredYear) return;
  m_coveredYear = std::min(kLastYear, year + kYearsAhead);
  const int lastDay = DayNumberOf(m_coveredYear, 12, 31);
  m_changes.clear();
  for (const ZonePart& part : m_parts) {
    auto onset = [&](long long local) {
      m_changes.push_back({local - part.offsetFrom, part.offsetFrom, part.offsetTo});
    };
    onset(SecondsOf(part.start));
    size_t onsets = 1;
    for (const RecurrenceRule& rule : part.rules) {
      ExpandRecurrence(rule, part.start, lastDay, [&](int day) {
        if (day != DayNumberOf(part.start.year, part.start.month, part.start.day)) {
          onset(DaySeconds(day) + part.start.SecondOfDay());
        }
        return ++onsets < kMaxOnsets;
      });
    }
    for (const CalendarTime& date : part.dates) onset(SecondsOf(date));
  }
  std::sort(m_changes.begin(), m_changes.end(), [](const Change& a, const Change& b) { return a.utc < b.utc; });
}

long long CZoneRules::UtcOf(long long local) const {
  Cover(local);
  if (m_changes.empty()) return local;
  // The wall clock reads a change's later offset once both readings have passed it.
  auto after = std::upper_bound(m_changes.begin(), m_changes.end(), local, [](long long time, const Change& change) {
    return time < change.utc + std::max(change.offsetFrom, change.offsetTo);
  });
  int offset = after == m_changes.begin() ? m_changes.front().offsetFrom : std::prev(after)->offsetTo;
  return local - offset;
}

long long CZoneRules::LocalOf(long long utc) const {
  Cover(utc);
  if (m_changes.empty()) return utc;
  auto after = std::upper_bound(m_changes.begin(), m_changes.end(), utc,
                                [](long long time, const Change& change) { return time < change.utc; });
  int offset = after == m_changes.begin() ? m_changes.front().offsetFrom : std::prev(after)->offsetTo;
  return utc + offset;
}
