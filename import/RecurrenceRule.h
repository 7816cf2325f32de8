#pragma once
// An RRULE value: the parts the import expands, and what it cannot.
#include <string>
#include <string_view>
#include <vector>

#include "import/CalendarValues.h"

enum class Frequency { kDaily, kWeekly, kMonthly, kYearly };

struct WeekdayNumber {
  int ordinal;  // 0: every such weekday; n or -n: the n-th from the start or the end
  int weekday;  // 0 = Sunday .. 6 = Saturday
};

// More dates than the years 1 to 9999 have days.
constexpr int kCountPastTheBook = 3652059 + 1;

struct RecurrenceRule {
  Frequency frequency = Frequency::kDaily;
  int interval = 1;
  int count = 0;  // 0: not limited by a count
  bool hasUntil = false;
  CalendarTime until;
  std::vector<WeekdayNumber> byDay;
  std::vector<int> byMonthDay;  // 1..31 or -31..-1
  std::vector<int> byMonth;     // 1..12
  std::vector<int> bySetPos;    // 1..366 or -366..-1: the n-th date of each period
  int weekStart = 1;            // Monday

  // A COUNT that no book can reach ends nothing: the range ends such a rule.
  bool HasEnd() const { return (count > 0 && count < kCountPastTheBook) || hasUntil; }
};

enum class RuleReading {
  kExpandable,
  kUnsupported,  // a valid rule with a part the import does not expand
  kBroken,
};

// detail names the unsupported part, or says what is broken.
RuleReading ReadRecurrenceRule(std::string_view text, RecurrenceRule& rule, std::string& detail);
