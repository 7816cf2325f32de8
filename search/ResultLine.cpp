#include "search/ResultLine.h"

#include <cstdio>

namespace {

constexpr size_t kYearOffset = 8;    // "schedule"
constexpr size_t kYearLength = 4;
constexpr size_t kMonthOffset = 13;  // "schedule****_"
constexpr size_t kMonthLength = 2;

std::string_view PartOf(std::string_view name, size_t offset, size_t length) {
  if (offset >= name.size()) return {};
  return name.substr(offset, length);
}

}  // namespace

std::string_view YearOfFileName(std::string_view fileName) {
  return PartOf(fileName, kYearOffset, kYearLength);
}

std::string_view MonthOfFileName(std::string_view fileName) {
  return PartOf(fileName, kMonthOffset, kMonthLength);
}

void FormatResultLine(std::string& line, std::string_view fileName, int day, std::string_view label,
                      std::string_view text) {
  char dayText[16];
  std::snprintf(dayText, sizeof dayText, "%02d", day);
  line.clear();
  line.append(YearOfFileName(fileName)).append("/");
  line.append(MonthOfFileName(fileName)).append("/");
  line.append(dayText).append(" \t ");
  line.append(label).append(" \t ");
  line.append(text);
}
