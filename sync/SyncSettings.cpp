#include "sync/SyncSettings.h"

#include <cstdio>

#include "calendar/CalendarFacts.h"
#include "calendar/DecimalDigits.h"
#include "sync/SyncFiles.h"

namespace {

constexpr const char* kEnabledKey = "enabled";
constexpr const char* kUrlKey = "calendar";
constexpr const char* kUserKey = "user";
constexpr const char* kSealsKey = "seals";
constexpr const char* kMemoKey = "memo";
constexpr const char* kFromKey = "from";

std::string Flag(bool value) { return value ? "1" : "0"; }

void ReadFlag(const std::string& value, bool& flag) {
  if (value == "1" || value == "0") flag = value == "1";
}

// "YYYY-MM-DD" of a date that exists.
bool ReadDate(const std::string& text, CalendarDate& date) {
  int year = 0, month = 0, day = 0;
  if (text.size() != 10 || text[4] != '-' || text[7] != '-' || !ReadDecimalDigits(text.substr(0, 4), year) ||
      !ReadDecimalDigits(text.substr(5, 2), month) || !ReadDecimalDigits(text.substr(8, 2), day) ||
      !IsValidDate(year, month, day)) {
    return false;
  }
  date = {year, month, day};
  return true;
}

}  // namespace

int FirstSyncedDay(const SyncSettings& settings, int todayDayNumber) {
  const CalendarDate& chosen = settings.firstDay;
  if (chosen.year >= 1 && chosen.year <= 9999 && chosen.day >= 1 &&
      chosen.day <= DaysInMonth(chosen.year, chosen.month)) {
    return DayNumberOf(chosen);
  }
  const CalendarDate today = DateOfDayNumber(todayDayNumber);
  // A year back; 29 February goes to the 28th.
  const int year = today.year > 1 ? today.year - 1 : 1;
  const int day = today.day <= DaysInMonth(year, today.month) ? today.day : DaysInMonth(year, today.month);
  return DayNumberOf(year, today.month, day);
}

std::string FormatSyncSettings(const SyncSettings& settings) {
  std::string text;
  text += std::string(kEnabledKey) + "=" + Flag(settings.enabled) + "\n";
  text += std::string(kUrlKey) + "=" + settings.calendarUrl + "\n";
  text += std::string(kUserKey) + "=" + settings.userName + "\n";
  text += std::string(kSealsKey) + "=" + Flag(settings.seals) + "\n";
  text += std::string(kMemoKey) + "=" + Flag(settings.memo) + "\n";
  if (settings.firstDay.year >= 1) {
    char date[48];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d", settings.firstDay.year, settings.firstDay.month,
                  settings.firstDay.day);
    text += std::string(kFromKey) + "=" + date + "\n";
  }
  return text;
}

SyncSettings ParseSyncSettings(const std::string& text) {
  SyncSettings settings;
  ForEachLine(text, [&](const std::string& line) {
    const size_t equals = line.find('=');
    if (equals == std::string::npos) return true;
    const std::string key = line.substr(0, equals);
    const std::string value = line.substr(equals + 1);
    if (key == kEnabledKey) ReadFlag(value, settings.enabled);
    if (key == kUrlKey) settings.calendarUrl = value;
    if (key == kUserKey) settings.userName = value;
    if (key == kSealsKey) ReadFlag(value, settings.seals);
    if (key == kMemoKey) ReadFlag(value, settings.memo);
    if (key == kFromKey) ReadDate(value, settings.firstDay);
    return true;
  });
  return settings;
}
