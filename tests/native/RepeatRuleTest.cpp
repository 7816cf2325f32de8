// The repeat dialog's choices as rules of the import's recurrence engine:
// each against the import's own reading and expansion of the RRULE it
// stands for, with the days that month ends, leap years, the ten-year limit
// and the host's holidays give.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calendar/DayNumber.h"
#include "host/core/HostServices.h"
#include "host/core/MemorySettingsStore.h"
#include "import/RecurrenceExpansion.h"
#include "import/RecurrenceRule.h"
#include "repeat/HostHolidays.h"
#include "repeat/RepeatRule.h"

namespace {

constexpr unsigned kSundayBit = 1u << 0;
constexpr unsigned kMonday = 1u << 1;
constexpr unsigned kTuesday = 1u << 2;
constexpr unsigned kWednesday = 1u << 3;
constexpr unsigned kFriday = 1u << 5;

RepeatChoices Until(RepeatKind kind, CalendarDate until, int interval = 1, unsigned weekdays = 0) {
  RepeatChoices choices;
  choices.kind = kind;
  choices.interval = interval;
  choices.weekdays = weekdays;
  choices.until = until;
  return choices;
}

RepeatChoices Times(RepeatKind kind, int count, int interval = 1, unsigned weekdays = 0, bool last = false) {
  RepeatChoices choices = Until(kind, {}, interval, weekdays);
  choices.byCount = true;
  choices.count = count;
  choices.lastWeekday = last;
  return choices;
}

std::vector<int> ImportExpansion(const std::string& rrule, const CalendarDate& shown) {
  RecurrenceRule rule;
  std::string detail;
  EXPECT_EQ(RuleReading::kExpandable, ReadRecurrenceRule(rrule, rule, detail)) << rrule << ": " << detail;
  CalendarTime start;
  start.year = shown.year;
  start.month = shown.month;
  start.day = shown.day;
  std::vector<int> days;
  ExpandRecurrence(rule, start, RepeatLimitDay(DayNumberOf(shown)), [&](int day) {
    days.push_back(day);
    return true;
  });
  return days;
}

std::vector<int> DayNumbers(const std::vector<CalendarDate>& dates) {
  std::vector<int> days;
  for (const CalendarDate& date : dates) days.push_back(DayNumberOf(date));
  return days;
}

struct RuleCase {
  const char* name;
  CalendarDate shown;
  RepeatChoices choices;
  const char* rrule;  // what the choices stand for; the limit is an UNTIL
  size_t days;
  std::vector<CalendarDate> first;  // the first days, where they tell
  bool cut;
};

const RuleCase kRuleCases[] = {
    {"every third day",
     {2026, 6, 15},
     Until(RepeatKind::kDaily, {2026, 6, 30}, 3),
     "FREQ=DAILY;INTERVAL=3;UNTIL=20260630",
     6,
     {{2026, 6, 15}, {2026, 6, 18}, {2026, 6, 30}},
     false},
    {"Tuesdays and Fridays from a Monday",
     {2026, 6, 15},
     Times(RepeatKind::kWeekly, 5, 1, kTuesday | kFriday),
     "FREQ=WEEKLY;BYDAY=TU,FR;WKST=SU;COUNT=5",
     5,
     {{2026, 6, 15}, {2026, 6, 16}, {2026, 6, 19}, {2026, 6, 23}, {2026, 6, 26}},
     false},
    {"every other Monday",
     {2026, 6, 15},
     Until(RepeatKind::kWeekly, {2026, 8, 31}, 2, kMonday),
     "FREQ=WEEKLY;INTERVAL=2;BYDAY=MO;WKST=SU;UNTIL=20260831",
     6,
     {{2026, 6, 15}, {2026, 6, 29}, {2026, 7, 13}},
     false},
    // Two days in every other row of the calendar, whose weeks start on Sunday.
    {"every other week on Sundays and Wednesdays",
     {2026, 6, 17},
     Until(RepeatKind::kWeekly, {2026, 7, 31}, 2, kSundayBit | kWednesday),
     "FREQ=WEEKLY;INTERVAL=2;BYDAY=SU,WE;WKST=SU;UNTIL=20260731",
     7,
     {{2026, 6, 17}, {2026, 6, 28}, {2026, 7, 1}, {2026, 7, 12}},
     false},
    {"the 31st passes over the short months",
     {2026, 1, 31},
     Until(RepeatKind::kMonthlyOnDate, {2026, 12, 31}),
     "FREQ=MONTHLY;BYMONTHDAY=31;UNTIL=20261231",
     7,
     {{2026, 1, 31}, {2026, 3, 31}, {2026, 5, 31}},
     false},
    {"the second Tuesday",
     {2026, 6, 9},
     Times(RepeatKind::kMonthlyOnWeekday, 4),
     "FREQ=MONTHLY;BYDAY=2TU;COUNT=4",
     4,
     {{2026, 6, 9}, {2026, 7, 14}, {2026, 8, 11}, {2026, 9, 8}},
     false},
    {"the last Friday",
     {2026, 6, 26},
     Times(RepeatKind::kMonthlyOnWeekday, 3, 1, 0, true),
     "FREQ=MONTHLY;BYDAY=-1FR;COUNT=3",
     3,
     {{2026, 6, 26}, {2026, 7, 31}, {2026, 8, 28}},
     false},
    {"month ends over a leap February",
     {2028, 1, 31},
     Times(RepeatKind::kMonthEnd, 4),
     "FREQ=MONTHLY;BYMONTHDAY=-1;COUNT=4",
     4,
     {{2028, 1, 31}, {2028, 2, 29}, {2028, 3, 31}, {2028, 4, 30}},
     false},
    {"every three months on the 15th",
     {2026, 6, 15},
     Times(RepeatKind::kMonthlyOnDate, 4, 3),
     "FREQ=MONTHLY;INTERVAL=3;BYMONTHDAY=15;COUNT=4",
     4,
     {{2026, 9, 15}, {2026, 12, 15}, {2027, 3, 15}},
     false},
    {"29 February only in leap years",
     {2028, 2, 29},
     Until(RepeatKind::kYearly, {2036, 12, 31}),
     "FREQ=YEARLY;UNTIL=20361231",
     3,
     {{2028, 2, 29}, {2032, 2, 29}, {2036, 2, 29}},
     false},
    {"every other year",
     {2026, 6, 15},
     Times(RepeatKind::kYearly, 3, 2),
     "FREQ=YEARLY;INTERVAL=2;COUNT=3",
     3,
     {{2026, 6, 15}, {2028, 6, 15}, {2030, 6, 15}},
     false},
    {"a birthday as far as ten years go",
     {2026, 6, 15},
     Until(RepeatKind::kYearly, {2040, 1, 1}),
     "FREQ=YEARLY;UNTIL=20360614",
     10,
     {{2026, 6, 15}, {2035, 6, 15}},
     true},
    {"a weekly line for ten years",
     {2026, 6, 15},
     Until(RepeatKind::kWeekly, {2040, 1, 1}, 1, kMonday),
     "FREQ=WEEKLY;BYDAY=MO;WKST=SU;UNTIL=20360614",
     522,
     {},
     true},
    {"a count past ten years",
     {2026, 6, 15},
     Times(RepeatKind::kDaily, 9999),
     "FREQ=DAILY;UNTIL=20360614",
     3653,
     {},
     true},
};

TEST(RepeatRuleTest, EachChoiceGivesTheDaysOfItsRuleInTheImportsEngine) {
  for (const RuleCase& c : kRuleCases) {
    SCOPED_TRACE(c.name);
    const RepeatDays repeat = DaysOfRepeat(c.choices, c.shown, nullptr);
    EXPECT_EQ(ImportExpansion(c.rrule, c.shown), repeat.days);
    EXPECT_EQ(c.days, repeat.days.size());
    EXPECT_EQ(c.cut, repeat.cutAtLimit);
    const std::vector<int> first = DayNumbers(c.first);
    for (int day : first) EXPECT_NE(repeat.days.end(), std::find(repeat.days.begin(), repeat.days.end(), day));
    ASSERT_FALSE(repeat.days.empty());
    EXPECT_EQ(DayNumberOf(c.shown), repeat.days.front());
    EXPECT_LE(repeat.days.back(), RepeatLimitDay(DayNumberOf(c.shown)));
  }
}

TEST(RepeatRuleTest, TheLimitIsTheDayBeforeTheSameDateTenYearsOn) {
  const struct {
    CalendarDate shown, limit;
  } cases[] = {
      {{2026, 6, 15}, {2036, 6, 14}},
      {{2028, 2, 29}, {2038, 2, 28}},
      {{2026, 1, 1}, {2035, 12, 31}},
      {{9995, 3, 1}, {9999, 12, 31}},
  };
  for (const auto& c : cases) EXPECT_EQ(DayNumberOf(c.limit), RepeatLimitDay(DayNumberOf(c.shown))) << c.shown.year;
}

// Mondays of early 2026: 成人の日 (12 January) and 天皇誕生日 (23 February)
// are left out, asked of the host a year at a time within its brackets.
// Ten days over Golden Week are ten days: each holiday makes room for one more.
TEST(RepeatRuleTest, HolidaysOfTheHostAreLeftOut) {
  CMemorySettingsStore store;
  CHostServices host(store, "/nowhere");
  CHostHolidays holidays(host);
  RepeatChoices choices = Until(RepeatKind::kWeekly, {2026, 3, 1}, 1, kMonday);
  choices.skipHolidays = true;
  const RepeatDays repeat = DaysOfRepeat(choices, {2026, 1, 5}, [&](int day) { return holidays.IsHoliday(day); });
  EXPECT_EQ(DayNumbers({{2026, 1, 5}, {2026, 1, 19}, {2026, 1, 26}, {2026, 2, 2}, {2026, 2, 9}, {2026, 2, 16}}),
            repeat.days);
  EXPECT_EQ(2, repeat.holidaysSkipped);
  RepeatChoices tenDays = Times(RepeatKind::kDaily, 10);
  tenDays.skipHolidays = true;
  const RepeatDays lessons = DaysOfRepeat(tenDays, {2026, 4, 28}, [&](int day) { return holidays.IsHoliday(day); });
  EXPECT_EQ(10u, lessons.days.size());
  EXPECT_EQ(DayNumberOf(2026, 5, 12), lessons.days.back());
  EXPECT_EQ(5, lessons.holidaysSkipped);
  choices.skipHolidays = false;
  EXPECT_EQ(8u, DaysOfRepeat(choices, {2026, 1, 5}, [](int) { return true; }).days.size());
  const HolidayBracketCounts brackets = host.HolidayBrackets();
  EXPECT_EQ(1, brackets.opens);
  EXPECT_EQ(brackets.opens, brackets.closes);
  EXPECT_EQ(0, brackets.queriesOutsideBracket);
}

}  // namespace
