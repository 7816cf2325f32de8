#include "import/RecurrenceExpansion.h"

#include <algorithm>
#include <vector>

#include "calendar/CalendarFacts.h"
#include "calendar/DayNumber.h"

namespace {

bool Contains(const std::vector<int>& values, int value) {
  return std::find(values.begin(), values.end(), value) != values.end();
}

// The days of the month that the month-day list names; -1 is the last day.
std::vector<int> MonthDays(const std::vector<int>& byMonthDay, int year, int month) {
  int length = DaysInMonth(year, month);
  std::vector<int> days;
  for (int value : byMonthDay) {
    int day = value > 0 ? value : length + 1 + value;
    if (day >= 1 && day <= length) days.push_back(DayNumberOf(year, month, day));
  }
  return days;
}

// The days from first to last (day numbers, both included) that the
// weekday list names; an ordinal counts within that span.
std::vector<int> WeekdaysIn(const std::vector<WeekdayNumber>& byDay, int first, int last) {
  std::vector<int> days;
  for (const WeekdayNumber& wanted : byDay) {
    int firstMatch = first + (wanted.weekday - WeekdayOfDayNumber(first) + 7) % 7;
    int lastMatch = last - (WeekdayOfDayNumber(last) - wanted.weekday + 7) % 7;
    if (wanted.ordinal == 0) {
      for (int day = firstMatch; day <= last; day += 7) days.push_back(day);
    } else {
      int day = wanted.ordinal > 0 ? firstMatch + 7 * (wanted.ordinal - 1) : lastMatch + 7 * (wanted.ordinal + 1);
      if (day >= first && day <= last) days.push_back(day);
    }
  }
  return days;
}

std::vector<int> Intersection(std::vector<int> a, std::vector<int> b) {
  std::sort(a.begin(), a.end());
  std::sort(b.begin(), b.end());
  std::vector<int> both;
  std::set_intersection(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(both));
  return both;
}

// The n-th (or, counted from the end, the -n-th) of a period's dates, in date order.
std::vector<int> AtSetPositions(const std::vector<int>& days, const std::vector<int>& positions) {
  const int count = static_cast<int>(days.size());
  std::vector<int> chosen;
  for (int position : positions) {
    int index = position > 0 ? position - 1 : count + position;
    if (index >= 0 && index < count) chosen.push_back(days[index]);
  }
  std::sort(chosen.begin(), chosen.end());
  chosen.erase(std::unique(chosen.begin(), chosen.end()), chosen.end());
  return chosen;
}

class CExpansion {
 public:
  CExpansion(const RecurrenceRule& rule, const CalendarTime& start) : m_rule(rule), m_start(start) {}

  // The candidate days of one period, in any order.
  std::vector<int> MonthCandidates(int year, int month) const {
    if (!m_rule.byMonth.empty() && !Contains(m_rule.byMonth, month)) return {};
    int first = DayNumberOf(year, month, 1);
    int last = first + DaysInMonth(year, month) - 1;
    if (m_rule.byMonthDay.empty() && m_rule.byDay.empty()) {
      if (m_start.day > DaysInMonth(year, month)) return {};
      return {DayNumberOf(year, month, m_start.day)};
    }
    if (m_rule.byDay.empty()) return MonthDays(m_rule.byMonthDay, year, month);
    std::vector<int> weekdays = WeekdaysIn(m_rule.byDay, first, last);
    if (m_rule.byMonthDay.empty()) return weekdays;
    return Intersection(MonthDays(m_rule.byMonthDay, year, month), weekdays);
  }

  std::vector<int> YearCandidates(int year) const {
    if (m_rule.byMonth.empty() && m_rule.byMonthDay.empty()) {
      if (!m_rule.byDay.empty()) return YearWeekdays(year);
      if (m_start.day > DaysInMonth(year, m_start.month)) return {};
      return {DayNumberOf(year, m_start.month, m_start.day)};
    }
    // Month days without BYMONTH fall in the start's month, as libical reads them.
    std::vector<int> days;
    for (int month = 1; month <= kMonthsInYear; ++month) {
      bool named = m_rule.byMonth.empty() ? month == m_start.month : Contains(m_rule.byMonth, month);
      if (!named) continue;
      for (int day : MonthCandidates(year, month)) days.push_back(day);
    }
    return days;
  }

  std::vector<int> WeekCandidates(int weekFirstDay) const {
    std::vector<int> days;
    if (m_rule.byDay.empty()) {
      days.push_back(weekFirstDay + (WeekdayOfDayNumber(StartDay()) - m_rule.weekStart + 7) % 7);
    } else {
      for (const WeekdayNumber& wanted : m_rule.byDay) {
        days.push_back(weekFirstDay + (wanted.weekday - m_rule.weekStart + 7) % 7);
      }
    }
    return Filtered(days);
  }

  bool DayPasses(int day) const {
    CalendarDate date = DateOfDayNumber(day);
    if (!m_rule.byMonth.empty() && !Contains(m_rule.byMonth, date.month)) return false;
    if (!m_rule.byMonthDay.empty() && !Contains(MonthDays(m_rule.byMonthDay, date.year, date.month), day)) {
      return false;
    }
    if (m_rule.byDay.empty()) return true;
    int weekday = WeekdayOfDayNumber(day);
    return std::any_of(m_rule.byDay.begin(), m_rule.byDay.end(),
                       [weekday](const WeekdayNumber& wanted) { return wanted.weekday == weekday; });
  }

  int StartDay() const { return DayNumberOf(m_start.year, m_start.month, m_start.day); }

 private:
  std::vector<int> YearWeekdays(int year) const {
    return WeekdaysIn(m_rule.byDay, DayNumberOf(year, 1, 1), DayNumberOf(year, kMonthsInYear, 31));
  }

  std::vector<int> Filtered(const std::vector<int>& days) const {
    std::vector<int> kept;
    for (int day : days) {
      if (DayPasses(day)) kept.push_back(day);
    }
    return kept;
  }

  const RecurrenceRule& m_rule;
  const CalendarTime& m_start;
};

// Whether an occurrence on day at the start's time is within UNTIL.
bool WithinUntil(const RecurrenceRule& rule, const CalendarTime& start, int day) {
  if (!rule.hasUntil) return true;
  int untilDay = DayNumberOf(rule.until.year, rule.until.month, rule.until.day);
  if (day != untilDay || !start.hasTime || !rule.until.hasTime) return day <= untilDay;
  return start.SecondOfDay() <= rule.until.SecondOfDay();
}

}  // namespace

void ExpandRecurrence(const RecurrenceRule& rule, const CalendarTime& start, int lastDay,
                      const std::function<bool(int dayNumber)>& each) {
  CExpansion expansion(rule, start);
  const int startDay = expansion.StartDay();
  int emitted = 0;
  // Each period's candidates in order; false when the expansion is over.
  auto emitAll = [&](std::vector<int> days) {
    std::sort(days.begin(), days.end());
    days.erase(std::unique(days.begin(), days.end()), days.end());
    if (!rule.bySetPos.empty()) days = AtSetPositions(days, rule.bySetPos);
    for (int day : days) {
      if (day <= startDay) continue;  // the start was the first occurrence
      if (day > lastDay || !WithinUntil(rule, start, day)) return false;
      if (!each(day) || (rule.count > 0 && ++emitted >= rule.count)) return false;
    }
    return true;
  };
  if (!each(startDay) || (rule.count > 0 && ++emitted >= rule.count)) return;
  const int lastYear = DateOfDayNumber(lastDay).year;
  switch (rule.frequency) {
    case Frequency::kDaily:
      for (int day = startDay; day <= lastDay; day += rule.interval) {
        if (expansion.DayPasses(day) && !emitAll({day})) return;
      }
      break;
    case Frequency::kWeekly: {
      int weekFirstDay = startDay - (WeekdayOfDayNumber(startDay) - rule.weekStart + 7) % 7;
      for (; weekFirstDay <= lastDay; weekFirstDay += 7 * rule.interval) {
        if (!emitAll(expansion.WeekCandidates(weekFirstDay))) return;
      }
      break;
    }
    case Frequency::kMonthly:
      for (int index = start.year * 12 + start.month - 1; index / 12 <= lastYear; index += rule.interval) {
        if (!emitAll(expansion.MonthCandidates(index / 12, index % 12 + 1))) return;
      }
      break;
    case Frequency::kYearly:
      for (int year = start.year; year <= lastYear; year += rule.interval) {
        if (!emitAll(expansion.YearCandidates(year))) return;
      }
      break;
  }
}

std::vector<int> ExpandRecurrenceSet(const std::vector<RecurrenceRule>& rules, const CalendarTime& start,
                                     const std::vector<int>& extraDays, const std::set<int>& excluded, int firstDay,
                                     int lastDay, int endlessLastDay, size_t limit, size_t& before) {
  std::vector<int> days;
  auto gather = [&](int day) {
    if (day >= firstDay) {
      days.push_back(day);
    } else if (excluded.count(day) == 0) {
      ++before;
    }
    return days.size() < limit;
  };
  if (rules.empty()) gather(DayNumberOf(start.year, start.month, start.day));
  for (const RecurrenceRule& rule : rules) {
    if (days.size() < limit) ExpandRecurrence(rule, start, rule.HasEnd() ? lastDay : endlessLastDay, gather);
  }
  for (int day : extraDays) {
    if (days.size() < limit) gather(day);
  }
  std::sort(days.begin(), days.end());
  days.erase(std::unique(days.begin(), days.end()), days.end());
  days.erase(std::remove_if(days.begin(), days.end(), [&](int day) { return excluded.count(day) != 0; }), days.end());
  return days;
}
