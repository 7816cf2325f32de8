#pragma once
// The texts of the day page's labels, formed in the fixed buffers the
// window has always used: whatever the host answers is cut to fit.
#include <cstddef>

constexpr size_t kYearLabelSize = 8;
constexpr size_t kDayLabelSize = 32;
// "%d %s" with a day of up to two digits leaves this much for the name.
constexpr size_t kWeekdayNameLimit = 28;

// "%d" of the year, cut to 7 characters.
void FormatYearLabel(int year, char (&text)[kYearLabelSize]);
// "%d %s" of the day and the host's weekday name (nullptr reads as empty);
// the name is cut to 28 bytes, never inside a two-byte character.
void FormatDayLabel(int day, const char* weekdayName, char (&text)[kDayLabelSize]);
