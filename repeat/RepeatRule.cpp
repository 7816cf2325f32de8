#include "repeat/RepeatRule.h"

#include <algorithm>

#include "calendar/CalendarFacts.h"
#include "import/RecurrenceExpansion.h"

namespace {

constexpr int kLastBookYear = 9999;

CalendarTime AsCalendarTime(const CalendarDate& date) {
  CalendarTime time;
  time.year = date.year;
  time.month = date.month;
  time.day = date.day;
  return time;
}

}  // namespace

int RepeatLimitDay(int shownDay) {
  const CalendarDate shown = DateOfDayNumber(shownDay);
  const int lastBookDay = DayNumberOf(kLastBookYear, kMonthsInYear, 31);
  if (shown.year + kRepeatYears > kLastBookYear) return lastBookDay;
  // Counted from the first of the month, so that 29 February ten years on is 1 March.
  return DayNumberOf(shown.year + kRepeatYears, shown.month, 1) + shown.day - 2;
}

int WeekdayOrdinalOf(const CalendarDate& date) { return (date.day - 1) / kDaysInWeek + 1; }

RecurrenceRule RuleOfChoices(const RepeatChoices& choices, const CalendarDate& shown) {
  RecurrenceRule rule;
  rule.interval = std::max(1, choices.interval);
  const int weekday = WeekdayOf(shown.year, shown.month, shown.day);
  switch (choices.kind) {
    case RepeatKind::kDaily:
      rule.frequency = Frequency::kDaily;
      break;
    case RepeatKind::kWeekly:
      rule.frequency = Frequency::kWeekly;
      // The book's weeks are the calendar's rows: every other week is every other row.
      rule.weekStart = kSunday;
      for (int day = kSunday; day <= kSaturday; ++day) {
        if ((choices.weekdays & (1u << day)) != 0) rule.byDay.push_back({0, day});
      }
      if (rule.byDay.empty()) rule.byDay.push_back({0, weekday});
      break;
    case RepeatKind::kMonthlyOnDate:
      rule.frequency = Frequency::kMonthly;
      rule.byMonthDay.push_back(shown.day);
      break;
    case RepeatKind::kMonthlyOnWeekday:
      rule.frequency = Frequency::kMonthly;
      rule.byDay.push_back({choices.lastWeekday ? -1 : WeekdayOrdinalOf(shown), weekday});
      break;
    case RepeatKind::kMonthEnd:
      rule.frequency = Frequency::kMonthly;
      rule.byMonthDay.push_back(-1);
      break;
    case RepeatKind::kYearly:
      rule.frequency = Frequency::kYearly;
      break;
  }
  if (choices.byCount) {
    rule.count = std::max(1, choices.count);
  } else {
    rule.hasUntil = true;
    rule.until = AsCalendarTime(choices.until);
  }
  return rule;
}

RepeatDays DaysOfRepeat(const RepeatChoices& choices, const CalendarDate& shown,
                        const std::function<bool(int dayNumber)>& isHoliday) {
  RecurrenceRule rule = RuleOfChoices(choices, shown);
  // Ten lessons without the holidays are ten lessons: a holiday left out
  // does not count, and the days go on past it.
  const size_t wanted = choices.byCount ? static_cast<size_t>(rule.count) : 0;
  rule.count = 0;
  const int limit = RepeatLimitDay(DayNumberOf(shown));
  RepeatDays result;
  ExpandRecurrence(rule, AsCalendarTime(shown), limit, [&](int day) {
    if (choices.skipHolidays && isHoliday && isHoliday(day)) {
      ++result.holidaysSkipped;
      return true;
    }
    result.days.push_back(day);
    return wanted == 0 || result.days.size() < wanted;
  });
  result.cutAtLimit = choices.byCount ? result.days.size() < wanted : DayNumberOf(choices.until) > limit;
  return result;
}
