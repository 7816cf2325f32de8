#include "export/MonthFileLoad.h"

#include <cstring>
#include <fstream>

#include "data/MonthFileParser.h"

bool LoadMonthFile(const std::filesystem::path& path, MonthTable& table, std::string& problem) {
  CMonthFileParser parser(table);
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    problem = "cannot be opened";
    return false;
  }
  char head[3] = {};
  size_t headLength = 0;
  char last = '\n';
  char block[kReadBlockSize];
  while (!parser.Done() && file.read(block, sizeof block).gcount() > 0) {
    size_t got = static_cast<size_t>(file.gcount());
    for (; headLength < sizeof head && headLength < got; ++headLength) head[headLength] = block[headLength];
    last = block[got - 1];
    parser.Feed(block, got);
  }
  if (file.bad()) {
    problem = "cannot be read to its end";
    return false;
  }
  bool allRecordsRead = parser.Done();
  parser.Finish();
  // Every record of the current format ends with its line end.
  if (!allRecordsRead && headLength == sizeof head && std::memcmp(head, "QL3", sizeof head) == 0 && last != '\n') {
    problem = "ends inside a record; the days after the cut are empty";
  }
  return true;
}
