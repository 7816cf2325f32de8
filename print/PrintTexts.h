#pragma once
// The texts a printed page shows besides the book's own: headings, dates,
// the range and the page numbers; cp932, in the names the window shows.
#include <cstddef>
#include <string>

#include "calendar/DayNumber.h"

// The host's month and weekday names, as the settings choose them.
struct PrintNames {
  bool japanese = true;
  std::string months[12];   // January .. December
  std::string weekdays[7];  // Sunday .. Saturday
};

// "2026年 12月", or "December 2026".
std::string MonthHeadingText(int year, int month, const PrintNames& names);
// "2026年12月24日", or "December 24, 2026".
std::string DateText(const CalendarDate& date, const PrintNames& names);
// A diary day's heading: "2026年12月24日 (木)", the holiday's name after it;
// " (続き)" at the end where the day goes on from the page before.
std::string DayHeadingText(const CalendarDate& date, int weekday, const std::string& holiday, const PrintNames& names,
                           bool continued);
// "2026年12月1日～2026年12月31日"; one date when both are the same.
std::string RangeText(const CalendarDate& from, const CalendarDate& to, const PrintNames& names);
// "2 / 5".
std::string PageNumberText(size_t page, size_t pages);
