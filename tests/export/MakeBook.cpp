// Writes month files with the plug-in's own writer from a day list on
// standard input, one day a line:
//   YEAR MONTH DAY SEAL1 SEAL2 SEAL3 SEAL4 LINE1 .. LINE5 MEMO
// texts as hexadecimal cp932 bytes, "-" for an empty text.
#include <cstdio>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <utility>

#include "calendar/CalendarFacts.h"
#include "data/MonthFile.h"
#include "export/BookDay.h"

namespace {

bool FromHex(const std::string& hex, std::string& bytes) {
  bytes.clear();
  if (hex == "-") return true;
  if (hex.size() % 2 != 0) return false;
  for (size_t i = 0; i < hex.size(); i += 2) {
    unsigned value = 0;
    if (std::sscanf(hex.c_str() + i, "%2x", &value) != 1) return false;
    bytes += static_cast<char>(value);
  }
  return true;
}

bool ReadDay(const std::string& line, std::map<std::pair<int, int>, MonthTable>& book) {
  std::istringstream fields(line);
  int year = 0;
  int month = 0;
  int day = 0;
  if (!(fields >> year >> month >> day) || month < 1 || month > 12 || day < 1 || day > kDaysInTable) return false;
  auto [entry, added] = book.try_emplace({year, month});
  if (added) ClearMonth(entry->second);
  DayRecord& record = entry->second.Day(day);
  for (SealCode& seal : record.nSeal) {
    if (!(fields >> seal)) return false;
  }
  std::string hex;
  std::string text;
  for (int index = 0; index < kLineCount; ++index) {
    if (!(fields >> hex) || !FromHex(hex, text)) return false;
    SetDayLine(record, index, text.c_str());
  }
  if (!(fields >> hex) || !FromHex(hex, text)) return false;
  SetDayMemo(record, text.c_str());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: plannix-export-make-book FOLDER < days\n";
    return 2;
  }
  std::map<std::pair<int, int>, MonthTable> book;
  std::string line;
  while (std::getline(std::cin, line)) {
    if (!ReadDay(line, book)) {
      std::cerr << "plannix-export-make-book: not a day: " << line << '\n';
      return 2;
    }
  }
  for (const auto& [month, table] : book) {
    char name[64];
    std::snprintf(name, sizeof name, "/schedule%d_%02d.dat", month.first, month.second);
    int days = DaysInMonth(month.first, month.second);
    if (WriteMonthFile(table, (std::string(argv[1]) + name).c_str(), [days] { return days; }) != 1) {
      std::cerr << "plannix-export-make-book: cannot write " << name << '\n';
      return 1;
    }
  }
  return 0;
}
