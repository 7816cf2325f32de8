#include "host/core/CalendarNames.h"

#include "calendar/CalendarFacts.h"

namespace {

constexpr const char* g_EnglishMonthNames[kMonthsInYear] = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};

constexpr const char* g_JapaneseMonthNames[kMonthsInYear] = {
    "1月", "2月", "3月", "4月", "5月", "6月", "7月", "8月", "9月", "10月", "11月", "12月"};

constexpr const char* g_EnglishWeekdayNames[kDaysInWeek] = {"Sun", "Mon", "Tue", "Wed",
                                                            "Thu", "Fri", "Sat"};

constexpr const char* g_JapaneseWeekdayNames[kDaysInWeek] = {"日", "月", "火", "水",
                                                             "木", "金", "土"};

}  // namespace

const char* MonthName(int month, bool japanese) {
  if (month < 1 || month > kMonthsInYear) return "";
  return japanese ? g_JapaneseMonthNames[month - 1] : g_EnglishMonthNames[month - 1];
}

const char* WeekdayName(int weekday, bool japanese) {
  if (weekday < 0 || weekday >= kDaysInWeek) return "";
  return japanese ? g_JapaneseWeekdayNames[weekday] : g_EnglishWeekdayNames[weekday];
}
