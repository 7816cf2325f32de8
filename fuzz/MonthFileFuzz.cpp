// Any bytes parse without a fault; the table then holds only terminated
// texts, reads the same whatever the block size, and survives being written
// and read again.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "data/MonthFile.h"
#include "data/MonthFileParser.h"
#include "data/MonthFileWriter.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

bool Terminated(const char* field, size_t size) { return std::memchr(field, '\0', size) != nullptr; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const char* bytes = reinterpret_cast<const char*>(data);
  static MonthTable table;
  ParseMonthBytes(table, bytes, size);
  for (const DayRecord& day : table.days) {
    for (const auto& line : day.szLine) Check(Terminated(line, kLineSize));
    Check(Terminated(day.szMemo, kMemoSize));
  }

  static MonthTable fedInSmallBlocks;
  size_t block = size > 0 ? 1 + data[0] % 37 : 1;
  CMonthFileParser parser(fedInSmallBlocks);
  for (size_t offset = 0; offset < size; offset += block) {
    parser.Feed(bytes + offset, size - offset < block ? size - offset : block);
  }
  parser.Finish();
  Check(std::memcmp(&table, &fedInSmallBlocks, sizeof table) == 0);

  std::string written = "QL3\n";
  char record[kMaxRecordSize + 1];
  for (int day = 1; day <= kDaysInTable; ++day) written.append(record, FormatDayRecord(table.Day(day), day, record));
  static MonthTable reread;
  ParseMonthBytes(reread, written.data(), written.size());
  Check(std::memcmp(&table, &reread, sizeof table) == 0);
  return 0;
}
