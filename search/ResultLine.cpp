#include "search/ResultLine.h"

#include <algorithm>
#include <charconv>

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

CResultLineStart::CResultLineStart(std::string_view fileName, std::string_view label) {
  const std::string_view year = YearOfFileName(fileName);
  const std::string_view month = MonthOfFileName(fileName);
  m_start.append(year).append("/").append(month).append("/");
  m_dayAt = m_start.size();
  m_start.append("00 \t ").append(label).append(" \t ");
}

size_t CResultLineStart::Length(int day) const {
  char digits[kMaxDayDigits];
  return m_start.size() - 2 + DayDigits(day, digits);
}

char* CResultLineStart::Write(char* out, int day) const {
  char digits[kMaxDayDigits];
  const size_t digitCount = DayDigits(day, digits);
  out = std::copy(m_start.data(), m_start.data() + m_dayAt, out);
  out = std::copy(digits, digits + digitCount, out);
  return std::copy(m_start.data() + m_dayAt + 2, m_start.data() + m_start.size(), out);
}

size_t CResultLineStart::DayDigits(int day, char (&digits)[kMaxDayDigits]) {
  // "%02d", without the cost of a format for every hit; a day past 99 keeps all its digits.
  if (day < 0 || day >= 100) {
    return static_cast<size_t>(std::to_chars(digits, digits + kMaxDayDigits, day).ptr - digits);
  }
  digits[0] = static_cast<char>('0' + day / 10);
  digits[1] = static_cast<char>('0' + day % 10);
  return 2;
}

void FormatResultLine(std::string& line, std::string_view fileName, int day, std::string_view label,
                      std::string_view text) {
  const CResultLineStart start(fileName, label);
  line.resize(start.Length(day));
  start.Write(&line[0], day);
  line.append(text);
}
