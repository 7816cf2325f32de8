#include "import/RecurrenceRule.h"

#include <algorithm>
#include <limits>
#include <set>

#include "calendar/DecimalDigits.h"

namespace {

constexpr const char* g_WeekdayCodes[] = {"SU", "MO", "TU", "WE", "TH", "FR", "SA"};
constexpr int kMaxOrdinal = 53;
constexpr int kMaxSetPosition = 366;

bool ReadInteger(std::string_view text, int& value) {
  bool negative = !text.empty() && text[0] == '-';
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) text.remove_prefix(1);
  if (!ReadDecimalDigits(text, value)) return false;
  if (negative) value = -value;
  return true;
}

// Any number of digits: a COUNT past what an int holds is as good as endless.
bool ReadCount(std::string_view text, int& count) {
  if (text.empty()) return false;
  long long value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = std::min<long long>(value * 10 + (c - '0'), std::numeric_limits<int>::max());
  }
  count = static_cast<int>(value);
  return true;
}

int WeekdayCode(std::string_view text) {
  for (int day = 0; day < 7; ++day) {
    if (text == g_WeekdayCodes[day]) return day;
  }
  return -1;
}

bool ReadNumbers(std::string_view text, int low, int high, bool allowNegative, std::vector<int>& numbers) {
  for (std::string_view item : SplitValueList(text, ',')) {
    int value = 0;
    if (!ReadInteger(item, value)) return false;
    int size = value < 0 ? -value : value;
    if ((value < 0 && !allowNegative) || size < low || size > high) return false;
    numbers.push_back(value);
  }
  return true;
}

bool ReadWeekdays(std::string_view text, std::vector<WeekdayNumber>& days) {
  for (std::string_view item : SplitValueList(text, ',')) {
    if (item.size() < 2) return false;
    int weekday = WeekdayCode(item.substr(item.size() - 2));
    int ordinal = 0;
    std::string_view number = item.substr(0, item.size() - 2);
    if (weekday < 0 || (!number.empty() && (!ReadInteger(number, ordinal) || ordinal == 0 || ordinal > kMaxOrdinal ||
                                            ordinal < -kMaxOrdinal))) {
      return false;
    }
    days.push_back({ordinal, weekday});
  }
  return true;
}

bool ReadFrequency(std::string_view text, RecurrenceRule& rule, RuleReading& reading) {
  static const std::pair<const char*, Frequency> kExpanded[] = {{"DAILY", Frequency::kDaily},
                                                                {"WEEKLY", Frequency::kWeekly},
                                                                {"MONTHLY", Frequency::kMonthly},
                                                                {"YEARLY", Frequency::kYearly}};
  for (const auto& [name, frequency] : kExpanded) {
    if (text == name) {
      rule.frequency = frequency;
      return true;
    }
  }
  if (text == "SECONDLY" || text == "MINUTELY" || text == "HOURLY") {
    reading = RuleReading::kUnsupported;
    return true;
  }
  return false;
}

}  // namespace

RuleReading ReadRecurrenceRule(std::string_view written, RecurrenceRule& rule, std::string& detail) {
  rule = RecurrenceRule();
  // Names and values of a rule are case-insensitive.
  std::string text = UpperCase(std::string(written));
  RuleReading reading = RuleReading::kExpandable;
  std::set<std::string> seen;
  auto broken = [&detail](std::string what) {
    detail = std::move(what);
    return RuleReading::kBroken;
  };
  for (std::string_view part : SplitValueList(text, ';')) {
    if (part.empty()) continue;  // a trailing semicolon
    size_t equals = part.find('=');
    if (equals == std::string_view::npos) return broken("the part \"" + std::string(part) + "\" has no =");
    std::string name(part.substr(0, equals));
    std::string_view value = part.substr(equals + 1);
    if (!seen.insert(name).second) return broken(name + " is given twice");
    bool good = true;
    if (name == "FREQ") {
      good = ReadFrequency(value, rule, reading);
      if (reading == RuleReading::kUnsupported && detail.empty()) detail = "FREQ=" + std::string(value);
    } else if (name == "INTERVAL") {
      good = ReadInteger(value, rule.interval) && rule.interval >= 1;
    } else if (name == "COUNT") {
      good = ReadCount(value, rule.count) && rule.count >= 1;
    } else if (name == "UNTIL") {
      good = ParseCalendarTime(value, rule.until);
      rule.hasUntil = true;
    } else if (name == "BYDAY") {
      good = ReadWeekdays(value, rule.byDay);
    } else if (name == "BYMONTHDAY") {
      good = ReadNumbers(value, 1, 31, true, rule.byMonthDay);
    } else if (name == "BYMONTH") {
      good = ReadNumbers(value, 1, 12, false, rule.byMonth);
    } else if (name == "BYSETPOS") {
      good = ReadNumbers(value, 1, kMaxSetPosition, true, rule.bySetPos);
    } else if (name == "WKST") {
      rule.weekStart = WeekdayCode(value);
      good = rule.weekStart >= 0;
    } else {
      // BYHOUR, BYWEEKNO and the like: a valid rule that the import does not expand.
      reading = RuleReading::kUnsupported;
      if (detail.empty()) detail = name;
    }
    if (!good) return broken(name + "=" + std::string(value) + " cannot be read");
  }
  if (seen.count("FREQ") == 0) return broken("it has no FREQ");
  if (rule.count > 0 && rule.hasUntil) return broken("it has both COUNT and UNTIL");
  if (reading != RuleReading::kExpandable) return reading;
  // What the standard allows only with other frequencies.
  bool ordinals = false;
  for (const WeekdayNumber& day : rule.byDay) ordinals = ordinals || day.ordinal != 0;
  bool narrowPeriod = rule.frequency == Frequency::kDaily || rule.frequency == Frequency::kWeekly;
  if (ordinals && narrowPeriod) {
    detail = "BYDAY with a number";
    return RuleReading::kUnsupported;
  }
  if (rule.frequency == Frequency::kWeekly && !rule.byMonthDay.empty()) {
    detail = "BYMONTHDAY in a weekly rule";
    return RuleReading::kUnsupported;
  }
  return reading;
}
