// The recurrence expansion against libical's over generated rules.
#include <gtest/gtest.h>
#include <libical/ical.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "calendar/CalendarFacts.h"
#include "calendar/DayNumber.h"
#include "import/RecurrenceExpansion.h"
#include "import/RecurrenceRule.h"

namespace {

constexpr int kRules = 1000;
constexpr int kSets = 300;
constexpr size_t kMaxOccurrences = 60;
constexpr const char* g_Days[] = {"SU", "MO", "TU", "WE", "TH", "FR", "SA"};

class CRuleMaker {
 public:
  explicit CRuleMaker(unsigned seed) : m_random(seed) {}

  // A rule whose COUNT and INTERVAL count from the start, unless fromStart
  // is false: libical counts neither from a start that is no date of the
  // rule, as the standard does.
  std::string Make(bool fromStart = true) {
    static const char* const kFrequencies[] = {"DAILY", "WEEKLY", "MONTHLY", "YEARLY"};
    int frequency = Pick(4);
    std::string rule = std::string("FREQ=") + kFrequencies[frequency];
    bool interval = fromStart && Chance(2);
    if (interval) rule += ";INTERVAL=" + std::to_string(1 + Pick(3));
    // A monthly interval past the named months never meets them: libical then searches for ages.
    if (frequency != 1 && !(frequency == 2 && interval) && Chance(3))
      rule += ";BYMONTH=" + List(1 + Pick(3), [&] { return std::pair(1 + Pick(12), 0); });
    bool monthDays = frequency != 1 && Chance(3);
    if (monthDays) {
      rule += ";BYMONTHDAY=" + List(1 + Pick(3), [&] {
                int day = 1 + Pick(31);
                // libical 3.0 takes no last-days-counted month day in a daily rule.
                return std::pair(frequency != 0 && Chance(4) ? -day : day, 0);
              });
    }
    // Weekdays that limit month days are rare in practice and slow in libical.
    if (monthDays ? Chance(8) : Chance(2)) {
      bool ordinals = frequency >= 2 && !monthDays && Chance(2);
      rule += ";BYDAY=" + List(
                              1 + Pick(3),
                              [&] {
                                int ordinal = ordinals ? 1 + Pick(frequency == 3 ? 5 : 4) : 0;
                                return std::pair(Pick(7), Chance(3) ? -ordinal : ordinal);
                              },
                              true);
      // "The last weekday of the month": every named weekday of a month or a year,
      // at least 4 of each. libical passes over BYSETPOS in a weekly rule, and a
      // position that no period has sends it searching for ages.
      if (frequency >= 2 && !monthDays && !ordinals) {
        rule += ";BYSETPOS=" + List(1 + Pick(2), [&] { return std::pair(Chance(2) ? -1 - Pick(4) : 1 + Pick(4), 0); });
      }
    }
    if (frequency == 1 && Chance(2)) rule += std::string(";WKST=") + g_Days[Pick(7)];
    if (fromStart && Chance(2)) {
      rule += ";COUNT=" + std::to_string(1 + Pick(40));
    } else {
      char until[64];
      std::snprintf(until, sizeof until, ";UNTIL=%04d%02d%02d", 2000 + Pick(30), 1 + Pick(12), 1 + Pick(28));
      rule += until;
    }
    return rule;
  }

  int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(m_random); }
  bool Chance(int oneIn) { return Pick(oneIn) == 0; }

  CalendarDate Start() {
    int year = 1995 + Pick(20);
    int month = 1 + Pick(12);
    return {year, month, 1 + Pick(DaysInMonth(year, month))};
  }

 private:
  // Distinct values in ascending order (libical repeats dates of unordered
  // lists); a pair is a number, or a weekday and its ordinal.
  template <typename Maker>
  std::string List(int count, Maker make, bool weekdays = false) {
    std::map<int, int> values;
    for (int i = 0; i < count; ++i) values.insert(make());
    std::string list;
    for (const auto& [value, ordinal] : values) {
      if (!list.empty()) list += ',';
      list += weekdays ? (ordinal != 0 ? std::to_string(ordinal) : "") + g_Days[value] : std::to_string(value);
    }
    return list;
  }

  std::mt19937 m_random;
};

std::vector<int> LibicalDays(const std::string& text, const CalendarDate& date, int lastDay) {
  char value[16];
  std::snprintf(value, sizeof value, "%04d%02d%02d", date.year, date.month, date.day);
  icaltimetype start = icaltime_from_string(value);
  icalrecurrencetype rule = icalrecurrencetype_from_string(text.c_str());
  icalrecur_iterator* iterator = icalrecur_iterator_new(rule, start);
  std::vector<int> days;
  if (iterator == nullptr) return days;
  for (icaltimetype t = icalrecur_iterator_next(iterator); !icaltime_is_null_time(t) && days.size() < kMaxOccurrences;
       t = icalrecur_iterator_next(iterator)) {
    int day = DayNumberOf(t.year, t.month, t.day);
    if (day > lastDay) break;
    days.push_back(day);
  }
  icalrecur_iterator_free(iterator);
  return days;
}

CalendarTime DateOf(int day) {
  CalendarDate date = DateOfDayNumber(day);
  CalendarTime time;
  time.year = date.year;
  time.month = date.month;
  time.day = date.day;
  return time;
}

std::vector<int> OurDays(const std::string& text, const CalendarTime& start, int lastDay) {
  RecurrenceRule rule;
  std::string detail;
  EXPECT_EQ(ReadRecurrenceRule(text, rule, detail), RuleReading::kExpandable) << text << ": " << detail;
  std::vector<int> days;
  ExpandRecurrence(rule, start, lastDay, [&](int day) {
    days.push_back(day);
    return days.size() < kMaxOccurrences;
  });
  return days;
}

// The start is the rule's own first date, as calendar applications write it:
// the standard leaves a start outside the rule undefined, and libical skips it.
TEST(RecurrenceLibicalTest, GeneratedRulesExpandAsLibicalExpandsThem) {
  CRuleMaker maker(20240517);
  int compared = 0;
  for (int i = 0; i < kRules; ++i) {
    std::string rule = maker.Make();
    CalendarDate asked = maker.Start();
    int lastDay = DayNumberOf(asked.year + 40, 12, 31);
    std::vector<int> first = LibicalDays(rule, asked, lastDay);
    if (first.empty()) continue;
    CalendarDate startDate = DateOfDayNumber(first.front());
    std::vector<int> expected = LibicalDays(rule, startDate, lastDay);
    ASSERT_EQ(OurDays(rule, DateOf(first.front()), lastDay), expected)
        << rule << " from " << startDate.year << "-" << startDate.month << "-" << startDate.day;
    ++compared;
  }
  EXPECT_GT(compared, kRules / 2);
}

std::string DateValue(int day) {
  CalendarDate date = DateOfDayNumber(day);
  char value[16];
  std::snprintf(value, sizeof value, "%04d%02d%02d", date.year, date.month, date.day);
  return value;
}

// The dates libical gives an event with its start, rules, RDATE and EXDATE, each once.
std::vector<int> LibicalSetDays(const std::string& event, int lastDay) {
  icalcomponent* component = icalcomponent_new_from_string(event.c_str());
  std::vector<int> days;
  if (component == nullptr) return days;
  icalcomponent_foreach_recurrence(
      component, icaltime_from_string("19900101"), icaltime_from_string(DateValue(lastDay + 1).c_str()),
      [](icalcomponent*, icaltime_span* span, void* data) {
        icaltimetype t = icaltime_from_timet_with_zone(span->start, 1, icaltimezone_get_utc_timezone());
        static_cast<std::vector<int>*>(data)->push_back(DayNumberOf(t.year, t.month, t.day));
      },
      &days);
  icalcomponent_free(component);
  std::sort(days.begin(), days.end());
  days.erase(std::unique(days.begin(), days.end()), days.end());
  return days;
}

TEST(RecurrenceLibicalTest, GeneratedSetsOfRulesAndDatesExpandAsLibicalExpandsThem) {
  CRuleMaker maker(20240518);
  int compared = 0;
  for (int i = 0; i < kSets; ++i) {
    std::vector<std::string> texts{maker.Make()};
    if (maker.Chance(2)) texts.push_back(maker.Make(false));
    CalendarDate asked = maker.Start();
    int lastDay = DayNumberOf(asked.year + 40, 12, 31);
    std::vector<int> first = LibicalDays(texts[0], asked, lastDay);
    if (first.empty()) continue;
    std::string event = "BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:" + DateValue(first[0]) + "\r\n";
    std::vector<RecurrenceRule> rules;
    for (const std::string& text : texts) {
      event += "RRULE:" + text + "\r\n";
      std::string detail;
      rules.emplace_back();
      ASSERT_EQ(ReadRecurrenceRule(text, rules.back(), detail), RuleReading::kExpandable) << text << ": " << detail;
    }
    std::vector<int> extraDays;
    for (int extra = maker.Pick(4); extra > 0; --extra) {
      extraDays.push_back(first[0] + 1 + maker.Pick(2000));
      event += "RDATE;VALUE=DATE:" + DateValue(extraDays.back()) + "\r\n";
    }
    std::set<int> excluded;
    for (int exception = maker.Pick(3); exception > 0; --exception) {
      int day = first[maker.Pick(static_cast<int>(first.size()))];
      excluded.insert(day);
      event += "EXDATE;VALUE=DATE:" + DateValue(day) + "\r\n";
    }
    event += "END:VEVENT\r\n";
    size_t before = 0;
    std::vector<int> all = LibicalSetDays(event, lastDay);
    int firstDay = all.empty() ? 0 : all[all.size() / 2];
    ASSERT_EQ(
        ExpandRecurrenceSet(rules, DateOf(first[0]), extraDays, excluded, firstDay, lastDay, lastDay, 1000000, before),
        std::vector<int>(all.begin() + all.size() / 2, all.end()))
        << event;
    EXPECT_GE(before, all.size() / 2) << event;
    ++compared;
  }
  EXPECT_GT(compared, kSets / 2);
}

}  // namespace
