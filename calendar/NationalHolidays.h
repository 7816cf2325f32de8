#pragma once
// The national holidays the law names for a year, with the one-off days
// that special laws made holidays. The rest days that follow from them
// (substitute holidays, citizens' holidays) are HolidayYear's.
#include <vector>

// Holidays by law start with the law of 20 July 1948; the equinox formula
// ends the years we can compute.
constexpr int kFirstHolidayYear = 1948;
constexpr int kLastHolidayYear = 2150;

struct Holiday {
  int month;
  int day;
  const char* name;  // cp932
};

// In no particular order; empty for a year outside the computed range.
std::vector<Holiday> NationalHolidaysOf(int year);
