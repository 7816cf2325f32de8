// The import on arbitrary calendar bytes: reading, the recurrence expansion
// and the merge into a day that is already full must neither overrun a
// field nor change what the day held. What it stored, exported again,
// reads back without a warning.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string_view>

#include "data/DayRecord.h"
#include "export/BookDay.h"
#include "export/ICalendarWriter.h"
#include "import/CalendarFile.h"
#include "import/DayMerge.h"
#include "import/ImportPlan.h"

namespace {

DayRecord FullDay() {
  DayRecord day{};
  for (int slot = 0; slot < kSealSlots; ++slot) day.nSeal[slot] = 6;
  for (int line = 0; line < kLineCount - 1; ++line) SetDayLine(day, line, "typed");
  SetDayMemo(day, "memo");
  return day;
}

bool Terminated(const DayRecord& day) {
  for (const auto& line : day.szLine) {
    if (std::memchr(line, '\0', kLineSize) == nullptr) return false;
  }
  return std::memchr(day.szMemo, '\0', kMemoSize) != nullptr;
}

void ExportAndReadBack(const DayRecord& record) {
  DayConversionNotes notes;
  BookDay day = ConvertDay({2024, 1, 1}, record, notes);
  std::ostringstream out;
  CICalendarWriter writer(out, "0", *FindBookTimeZone(kDefaultTimeZone));
  writer.Begin();
  writer.Write(day);
  writer.End();
  CalendarFile file;
  CalendarNote error;
  if (!ReadCalendarFile(out.str(), file, error) || !file.warnings.empty() || file.events.empty() == day.HasContent()) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CalendarFile file;
  CalendarNote error;
  if (!ReadCalendarFile(std::string_view(reinterpret_cast<const char*>(data), size), file, error)) return 0;
  ImportOptions options;
  options.from = {2000, 1};
  options.to = {2030, 12};  // keeps an endless daily rule to a few thousand dates
  ImportPlan plan;
  std::ostringstream report;
  CImportReport reporter(report);
  if (!PlanImport(file, options, plan, reporter, error)) return 0;
  const DayRecord full = FullDay();
  for (const auto& [dayNumber, wishes] : plan) {
    DayRecord empty{};
    MergeDay(empty, wishes);
    DayRecord day = full;
    MergeDay(day, wishes);
    if (!Terminated(empty) || !Terminated(day)) std::abort();
    ExportAndReadBack(empty);
    for (int line = 0; line < kLineCount - 1; ++line) {
      if (std::strcmp(day.szLine[line], "typed") != 0) std::abort();
    }
    if (std::memcmp(day.nSeal, full.nSeal, sizeof day.nSeal) != 0 || std::strncmp(day.szMemo, "memo", 4) != 0) {
      std::abort();
    }
  }
  return 0;
}
