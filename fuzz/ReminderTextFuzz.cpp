// The texts the reminders read from files, from any bytes: the file of
// what was dismissed, written out again, reads back as the same set; a
// schedule line's time is within the day and its title within the line;
// the bytes as a file name never fault the conflict copies' name rules.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/LineTime.h"
#include "data/ConflictCopies.h"
#include "data/DayRecord.h"
#include "reminders/DismissedFile.h"
#include "reminders/DismissedSet.h"
#include "reminders/ReminderLines.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  CDismissedSet set;
  if (set.AddFileBytes(bytes)) {
    CDismissedSet again;
    Check(again.AddFileBytes(set.Format()));
    Check(again == set);
    set.Prune(DismissedOriginOf(bytes), 0);
  }

  LineTime time;
  if (ReadLineTime(bytes, time)) {
    Check(time.startMinute >= 0 && time.startMinute < kMinutesPerDay);
    Check(!time.hasEnd || (time.endMinute >= 0 && time.endMinute <= kMinutesPerDay));
    Check(!time.hasEnd || !time.dueBy);
    Check(time.titleStart <= bytes.size());
    Check(time.titleLength == std::string_view::npos || time.titleStart + time.titleLength <= bytes.size());
  }

  DayRecord day = {};
  for (int line = 0; line < kLineCount; ++line) {
    const size_t start = std::min(size, static_cast<size_t>(line) * (kLineSize - 1));
    std::memcpy(day.szLine[line], data + start, std::min(size - start, kLineSize - 1));
  }
  std::vector<TimedLine> lines;
  AppendTimedLines(0, day, lines);
  for (const TimedLine& line : lines) Check(line.title.size() < kLineSize);

  IsConflictCopyOf(std::string(bytes), kDismissedFileStem, kDismissedFileExtension);
  return 0;
}
