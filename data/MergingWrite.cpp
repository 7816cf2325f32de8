#include "data/MergingWrite.h"

#include <utility>

#include "data/FileSystem.h"
#include "data/MonthFileWriter.h"
#include "data/RecoveredFolder.h"

void ParseSnapshotMonth(const FileSnapshot& snapshot, MonthTable& table) {
  ClearMonth(table);
  if (snapshot.present) ParseMonthBytes(table, snapshot.bytes.data(), snapshot.bytes.size());
}

MergingWrite WriteMonthOverChanges(IFileSystem& files, const char* path, const FileSnapshot& base,
                                   const MonthTable& table, int days) {
  MergingWrite result;
  FileSnapshot now;
  switch (ReadFileSnapshot(files, path, now)) {
    case SnapshotRead::kUnreadable:
      result.unreadable = true;
      return result;
    case SnapshotRead::kAbsent:
    case SnapshotRead::kRead:
      break;
  }
  result.written = table;
  // A file that went away takes nothing with it: the table still holds it all.
  if (now.present && !now.SameContent(base)) {
    MonthTable baseTable;
    MonthTable theirs;
    ParseSnapshotMonth(base, baseTable);
    ParseSnapshotMonth(now, theirs);
    MonthMergeResult merge = MergeMonths(&baseTable, table, theirs, days);
    result.merged = true;
    result.written = merge.merged;
    result.unplaced = merge.unplaced;
    // Written over only once what does not fit is safe elsewhere.
    if (merge.unplaced != 0 && !KeepBytesInRecovered(files, path, now.bytes, result.keptCopy)) return result;
  }
  const auto daysInMonth = [days] { return days; };
  std::string bytes = FormatMonthFile(result.written, daysInMonth);
  result.outcome = now.present && now.bytes == bytes ? MonthWriteOutcome::kUnchanged
                                                     : WriteMonthFileThrough(files, path, result.written, daysInMonth);
  if (result.outcome != MonthWriteOutcome::kFailed) {
    result.base.present = true;
    result.base.bytes = std::move(bytes);
  }
  return result;
}

MergingWrite AddCopyToMonth(IFileSystem& files, const char* path, const FileSnapshot& month, const FileSnapshot& copy,
                            int days, DayMask& copyUnplaced) {
  MonthTable ours;
  MonthTable theirs;
  ParseSnapshotMonth(month, ours);
  ParseSnapshotMonth(copy, theirs);
  const MonthMergeResult merge = MergeMonths(nullptr, ours, theirs, days);
  copyUnplaced = merge.unplaced;
  return WriteMonthOverChanges(files, path, month, merge.merged, days);
}
