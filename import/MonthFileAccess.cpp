#include "import/MonthFileAccess.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include "calendar/CalendarFacts.h"
#include "data/FileSystem.h"
#include "data/MergingWrite.h"
#include "data/MonthFile.h"
#include "data/MonthFileRecovery.h"

namespace {

constexpr char kCurrentHeader[] = "QL3";

bool IsEmptyDay(const DayRecord& day) {
  static const DayRecord kEmpty{};
  return std::memcmp(&day, &kEmpty, sizeof day) == 0;
}

}  // namespace

std::string MonthFilePathIn(const std::string& folder, int year, int month) {
  char path[kPathSize];
  // Always a separator of its own: a cp932 name may end in the trail byte 0x5C (表),
  // and a doubled separator is harmless. Windows takes / as well.
  return FormatMonthFilePathIn(path, folder.c_str(), year, month, '/') ? path : std::string();
}

MonthRead ReadMonthForChange(IFileSystem& files, const std::string& path, int year, int month, MonthTable& table,
                             FileSnapshot& base, std::string& reason) {
  // A copy an interrupted save left may hold the newer month: it is settled
  // first, so the import's own save never takes its place.
  const MonthRecovery recovery = SettleInterruptedSave(files, path.c_str(), DaysInMonth(year, month));
  if (recovery.settlement == CopySettlement::kUnsettled) {
    reason = "has a copy an interrupted save left, which cannot be settled now";
    return MonthRead::kFailed;
  }
  if (recovery.settlement == CopySettlement::kKeptAside) {
    reason = "had a copy an interrupted save left, which may be newer: it is kept as " + recovery.keptPath +
             "; the month is left as it is";
    return MonthRead::kFailed;
  }
  // Retried: the schedule window or another program may hold the file for a moment.
  switch (ReadFileSnapshot(files, path.c_str(), base)) {
    case SnapshotRead::kAbsent:
      ClearMonth(table);
      return MonthRead::kAbsent;
    case SnapshotRead::kUnreadable:
      reason = "cannot be read";
      return MonthRead::kFailed;
    case SnapshotRead::kRead:
      break;
  }
  ParseSnapshotMonth(base, table);
  const std::string& bytes = base.bytes;
  if (bytes.compare(0, sizeof kCurrentHeader - 1, kCurrentHeader) == 0 && bytes.back() != '\n') {
    reason = "ends inside a record";
    return MonthRead::kFailed;
  }
  for (int day = DaysInMonth(year, month) + 1; day <= kDaysInTable; ++day) {
    if (!IsEmptyDay(table.Day(day))) {
      reason = "holds day " + std::to_string(day) + ", which the month does not have";
      return MonthRead::kFailed;
    }
  }
  return MonthRead::kRead;
}

bool WriteChangedMonth(IFileSystem& files, const std::string& path, int year, int month, const FileSnapshot& base,
                       const MonthTable& table, std::string& keptCopy) {
  const MergingWrite written = WriteMonthOverChanges(files, path.c_str(), base, table, DaysInMonth(year, month));
  keptCopy = written.keptCopy;
  return written.outcome != MonthWriteOutcome::kFailed;
}

MonthChange ChangeMonthFile(IFileSystem& files, const std::string& path, int year, int month, bool write,
                            const std::function<bool(MonthTable& table)>& change) {
  MonthChange result;
  if (path.empty()) {
    result.reason = "its path is too long";
    return result;
  }
  auto table = std::make_unique<MonthTable>();  // 31 days of fixed fields: not on the stack
  FileSnapshot base;
  result.read = ReadMonthForChange(files, path, year, month, *table, base, result.reason);
  if (result.read == MonthRead::kFailed) return result;
  result.changed = change(*table);
  if (result.changed && write)
    result.written = WriteChangedMonth(files, path, year, month, base, *table, result.keptCopy);
  return result;
}
