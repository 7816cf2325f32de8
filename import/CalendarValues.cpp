#include "import/CalendarValues.h"

#include "calendar/CalendarFacts.h"
#include "calendar/DecimalDigits.h"

namespace {

constexpr int kLastSecond = 60;  // a leap second may be written
constexpr long long kSecondsPerDay = 86400;
constexpr long long kLongestDuration = 10000LL * 366 * kSecondsPerDay;

}  // namespace

std::string UpperCase(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

std::string UnescapeText(std::string_view value) {
  std::string text;
  text.reserve(value.size());
  for (size_t i = 0; i < value.size(); ++i) {
    if (value[i] != '\\' || i + 1 == value.size()) {
      text += value[i];
      continue;
    }
    char next = value[++i];
    text += next == 'n' || next == 'N' ? '\n' : next;
  }
  return text;
}

std::vector<std::string> SplitTextList(std::string_view value) {
  std::vector<std::string> items;
  size_t start = 0;
  for (size_t i = 0; i <= value.size(); ++i) {
    if (i < value.size() && value[i] == '\\') {
      ++i;
    } else if (i == value.size() || value[i] == ',') {
      std::string item = UnescapeText(value.substr(start, i - start));
      item.erase(0, item.find_first_not_of(' '));
      item.erase(item.find_last_not_of(' ') + 1);
      items.push_back(std::move(item));
      start = i + 1;
    }
  }
  return items;
}

bool ParseCalendarTime(std::string_view value, CalendarTime& time) {
  time = CalendarTime();
  if (value.size() != 8 && value.size() != 15 && value.size() != 16) return false;
  if (!ReadDecimalDigits(value.substr(0, 4), time.year) || !ReadDecimalDigits(value.substr(4, 2), time.month) ||
      !ReadDecimalDigits(value.substr(6, 2), time.day) || time.year < 1 || time.day < 1 ||
      time.day > DaysInMonth(time.year, time.month)) {
    return false;
  }
  if (value.size() == 8) return true;
  time.hasTime = true;
  time.utc = value.size() == 16;
  if (value[8] != 'T' || (time.utc && value[15] != 'Z')) return false;
  return ReadDecimalDigits(value.substr(9, 2), time.hour) && ReadDecimalDigits(value.substr(11, 2), time.minute) &&
         ReadDecimalDigits(value.substr(13, 2), time.second) && time.hour < 24 && time.minute < 60 &&
         time.second <= kLastSecond;
}

std::vector<std::string_view> SplitValueList(std::string_view value, char separator) {
  std::vector<std::string_view> items;
  while (true) {
    size_t at = value.find(separator);
    std::string_view item = value.substr(0, at);
    while (!item.empty() && item.front() == ' ') item.remove_prefix(1);
    while (!item.empty() && item.back() == ' ') item.remove_suffix(1);
    items.push_back(item);
    if (at == std::string_view::npos) return items;
    value.remove_prefix(at + 1);
  }
}

bool ParseCalendarTimeList(std::string_view value, std::vector<CalendarTime>& times) {
  bool all = true;
  for (std::string_view item : SplitValueList(value, ',')) {
    CalendarTime time;
    if (ParseCalendarTime(item, time)) {
      times.push_back(time);
    } else {
      all = false;
    }
  }
  return all;
}

bool ParseExtraDateList(std::string_view value, std::vector<ExtraDate>& dates) {
  bool all = true;
  for (std::string_view item : SplitValueList(value, ',')) {
    ExtraDate date;
    size_t slash = item.find('/');
    bool good = ParseCalendarTime(item.substr(0, slash), date.start);
    if (good && slash != std::string_view::npos) {
      std::string_view end = item.substr(slash + 1);
      date.isPeriod = true;
      // A period ends at a date-time or lasts a duration.
      date.length.hasEnd = ParseCalendarTime(end, date.length.end);
      date.length.hasDuration = !date.length.hasEnd && ParseDuration(end, date.length.durationSeconds);
      good = date.length.hasEnd || date.length.hasDuration;
    }
    if (good) {
      dates.push_back(date);
    } else {
      all = false;
    }
  }
  return all;
}

bool ParseDuration(std::string_view value, long long& seconds) {
  bool negative = !value.empty() && value[0] == '-';
  if (!value.empty() && (value[0] == '-' || value[0] == '+')) value.remove_prefix(1);
  if (value.empty() || value[0] != 'P') return false;
  value.remove_prefix(1);
  seconds = 0;
  bool inTime = false;
  bool any = false;
  while (!value.empty()) {
    if (value[0] == 'T' && !inTime) {
      inTime = true;
      value.remove_prefix(1);
      continue;
    }
    size_t digits = 0;
    while (digits < value.size() && digits < 9 && value[digits] >= '0' && value[digits] <= '9') ++digits;
    int number = 0;
    if (!ReadDecimalDigits(value.substr(0, digits), number) || digits == value.size()) return false;
    char unit = value[digits];
    long long size = !inTime && unit == 'W'   ? 7 * kSecondsPerDay
                     : !inTime && unit == 'D' ? kSecondsPerDay
                     : inTime && unit == 'H'  ? 3600
                     : inTime && unit == 'M'  ? 60
                     : inTime && unit == 'S'  ? 1
                                              : 0;
    if (size == 0) return false;
    seconds += number * size;
    if (seconds > kLongestDuration) return false;
    any = true;
    value.remove_prefix(digits + 1);
  }
  if (negative) seconds = -seconds;
  return any;
}
