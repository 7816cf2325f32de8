#include "search/ResultLine.h"

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
  line.clear();
  line.append(YearOfFileName(fileName)).append("/");
  line.append(MonthOfFileName(fileName)).append("/");
  // "%02d", without the cost of a format for every hit.
  if (day >= 0 && day < 100) {
    line.push_back(static_cast<char>('0' + day / 10));
    line.push_back(static_cast<char>('0' + day % 10));
  } else {
    line.append(std::to_string(day));
  }
  line.append(" \t ");
  line.append(label).append(" \t ");
  line.append(text);
}
