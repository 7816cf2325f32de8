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

void FormatResultLinePrefix(std::string& line, std::string_view fileName, int day, std::string_view label) {
  // "%02d"; a day past 99 keeps all its digits.
  char dayText[16];
  char* dayEnd = dayText + 2;
  if (day >= 0 && day < 100) {
    dayText[0] = static_cast<char>('0' + day / 10);
    dayText[1] = static_cast<char>('0' + day % 10);
  } else {
    dayEnd = std::to_chars(dayText, dayText + sizeof dayText, day).ptr;
  }
  // Put together in place, without the cost of a format or an append for every piece.
  const std::string_view pieces[] = {YearOfFileName(fileName), "/", MonthOfFileName(fileName), "/",
                                     std::string_view(dayText, static_cast<size_t>(dayEnd - dayText)),
                                     " \t ", label, " \t "};
  size_t length = 0;
  for (std::string_view piece : pieces) length += piece.size();
  line.resize(length);
  char* out = &line[0];
  for (std::string_view piece : pieces) out = std::copy(piece.begin(), piece.end(), out);
}

CResultLineStart::CResultLineStart(std::string_view fileName, std::string_view label)
    : m_fileName(fileName), m_label(label) {
  FormatResultLinePrefix(m_start, fileName, 0, label);
  m_dayAt = YearOfFileName(fileName).size() + 1 + MonthOfFileName(fileName).size() + 1;
}

void CResultLineStart::Put(std::string& line, int day) {
  if (day < 0 || day >= 100) {
    FormatResultLinePrefix(line, m_fileName, day, m_label);
    return;
  }
  m_start[m_dayAt] = static_cast<char>('0' + day / 10);
  m_start[m_dayAt + 1] = static_cast<char>('0' + day % 10);
  line.assign(m_start);
}

void FormatResultLine(std::string& line, std::string_view fileName, int day, std::string_view label,
                      std::string_view text) {
  FormatResultLinePrefix(line, fileName, day, label);
  line.append(text);
}
