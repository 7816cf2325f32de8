#include "calendar/YearMonth.h"

#include <string_view>

namespace {

bool IsDigits(std::string_view text) {
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return !text.empty();
}

}  // namespace

bool ParseYearMonth(const std::string& text, YearMonth& month) {
  if (text.size() != 7 || text[4] != '-' || !IsDigits(std::string_view(text).substr(0, 4)) ||
      !IsDigits(std::string_view(text).substr(5, 2))) {
    return false;
  }
  int year = std::stoi(text.substr(0, 4));
  int monthNumber = std::stoi(text.substr(5, 2));
  if (year < 1 || monthNumber < 1 || monthNumber > 12) return false;
  month = {year, monthNumber};
  return true;
}
