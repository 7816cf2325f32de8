#pragma once
// A month of the calendar, as the command lines name ranges of months.
#include <string>

struct YearMonth {
  int year;
  int month;

  int Index() const { return year * 12 + month - 1; }
};

// "YYYY-MM", year 1 to 9999, month 01 to 12.
bool ParseYearMonth(const std::string& text, YearMonth& month);
