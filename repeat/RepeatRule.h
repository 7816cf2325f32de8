#pragma once
// The choices of the repeat dialog as a rule of the import's recurrence
// engine, and the days that rule gives from the day shown.
#include <functional>
#include <vector>

#include "calendar/DayNumber.h"
#include "import/RecurrenceRule.h"

enum class RepeatKind {
  kDaily,
  kWeekly,            // on the chosen weekdays
  kMonthlyOnDate,     // the date of the day shown; a month without it is passed over
  kMonthlyOnWeekday,  // the n-th weekday of the day shown (第2火曜), or the last one
  kMonthEnd,          // 月末
  kYearly,            // the month and date of the day shown; 29 February only in leap years
};

struct RepeatChoices {
  RepeatKind kind = RepeatKind::kWeekly;
  int interval = 1;          // every N days, weeks, months or years
  unsigned weekdays = 0;     // kWeekly: bit 0 Sunday .. bit 6 Saturday; none is the day shown's
  bool lastWeekday = false;  // kMonthlyOnWeekday: the last such weekday of each month
  bool byCount = false;      // ended by a number of days (the day shown counted, holidays left out not), not by a date
  int count = 1;
  CalendarDate until = {};
  bool skipHolidays = false;
};

// The furthest a repeat reaches: the day before the same date ten years on
// (never past the last day of the year 9999).
constexpr int kRepeatYears = 10;
int RepeatLimitDay(int shownDay);

// The n-th (1..5) of its weekday in its month, as 第n曜日 counts it.
int WeekdayOrdinalOf(const CalendarDate& date);

// Weeks start on Sunday (WKST=SU), as the calendar's rows do.
RecurrenceRule RuleOfChoices(const RepeatChoices& choices, const CalendarDate& shown);

struct RepeatDays {
  std::vector<int> days;  // day numbers, in order, from the day shown on
  int holidaysSkipped = 0;
  bool cutAtLimit = false;  // the end asked for lies past the limit: the days stop there
};

// isHoliday is asked only with skipHolidays, about the days the rule gives,
// which it then leaves out; a count is of the days kept.
RepeatDays DaysOfRepeat(const RepeatChoices& choices, const CalendarDate& shown,
                        const std::function<bool(int dayNumber)>& isHoliday);
