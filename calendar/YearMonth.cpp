#include "calendar/YearMonth.h"

#include <string_view>

#include "calendar/DecimalDigits.h"

bool ParseYearMonth(const std::string& text, YearMonth& month) {
  std::string_view view(text);
  int year = 0;
  int monthNumber = 0;
  if (text.size() != 7 || text[4] != '-' || !ReadDecimalDigits(view.substr(0, 4), year) ||
      !ReadDecimalDigits(view.substr(5, 2), monthNumber)) {
    return false;
  }
  if (year < 1 || monthNumber < 1 || monthNumber > 12) return false;
  month = {year, monthNumber};
  return true;
}
