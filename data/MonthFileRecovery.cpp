#include "data/MonthFileRecovery.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include "data/FileSystem.h"
#include "data/MergingWrite.h"
#include "data/MonthFileWriter.h"
#include "data/RecoveredFolder.h"

namespace {

// What a file's bytes come to as a month.
struct ParsedMonth {
  MonthTable table;
  bool whole;  // exactly what the writer writes for that table
};

ParsedMonth ParseSnapshot(const std::string& bytes, int days) {
  ParsedMonth parsed;
  ParseMonthBytes(parsed.table, bytes.data(), bytes.size());
  parsed.whole = FormatMonthFile(parsed.table, [days] { return days; }) == bytes;
  return parsed;
}

bool HoldsNoDay(const MonthTable& table) {
  static const MonthTable kEmpty = {};
  return std::memcmp(&table, &kEmpty, sizeof table) == 0;
}

bool HoldsADayTheOtherLacks(const MonthTable& table, const MonthTable& other, int days) {
  static const DayRecord kEmpty = {};
  for (int day = 1; day <= days && day <= kDaysInTable; ++day) {
    if (std::memcmp(&table.Day(day), &kEmpty, sizeof kEmpty) != 0 &&
        std::memcmp(&other.Day(day), &kEmpty, sizeof kEmpty) == 0) {
      return true;
    }
  }
  return false;
}

// "schedule2010_03.dat", then "schedule2010_03 (2).dat" and on, in the recovered folder.
bool KeepAside(IFileSystem& files, const char* copy, const char* path, std::string& keptPath) {
  return KeepInRecovered(
      files, path, nullptr,
      [&](const char* target) {
        if (!files.Move(copy, target)) return false;
        files.Unhide(target);  // an earlier version's copy was hidden
        return true;
      },
      keptPath);
}

// The more a settlement asks of the user, the more it counts.
MonthRecovery Graver(const MonthRecovery& a, const MonthRecovery& b) {
  MonthRecovery graver = static_cast<int>(b.settlement) >= static_cast<int>(a.settlement) ? b : a;
  if (graver.keptPath.empty()) graver.keptPath = a.keptPath.empty() ? b.keptPath : a.keptPath;
  return graver;
}

// The copy's days added to the month file; the copy goes once they are in it.
CopySettlement MergeCopy(IFileSystem& files, const char* copy, const char* path, const FileSnapshot& copied,
                         const FileSnapshot& month, int days, std::string& keptPath) {
  DayMask unplaced = 0;
  if (AddCopyToMonth(files, path, month, copied, days, unplaced).outcome == MonthWriteOutcome::kFailed) {
    return CopySettlement::kUnsettled;
  }
  if (unplaced == 0) {
    files.Remove(copy);
    return CopySettlement::kMerged;
  }
  return KeepAside(files, copy, path, keptPath) ? CopySettlement::kKeptAside : CopySettlement::kUnsettled;
}

MonthRecovery SettleCopy(IFileSystem& files, const char* copy, const char* path, int days) {
  MonthRecovery recovery;
  FileSnapshot copied;
  const SnapshotRead copyRead = ReadFileSnapshot(files, copy, copied);
  if (copyRead == SnapshotRead::kAbsent) return recovery;
  FileSnapshot month;
  if (copyRead == SnapshotRead::kUnreadable || ReadFileSnapshot(files, path, month) == SnapshotRead::kUnreadable) {
    recovery.settlement = CopySettlement::kUnsettled;
    return recovery;
  }
  switch (JudgeLeftCopy(copied, month, days)) {
    case CopyVerdict::kRemove:
      files.Remove(copy);
      recovery.settlement = CopySettlement::kRemoved;
      break;
    case CopyVerdict::kRestore: {
      const CopyPlacement placed = PlaceFinishedCopy(files, copy, path, copied.bytes);
      const bool restored = placed == CopyPlacement::kReplaced || placed == CopyPlacement::kRewritten;
      recovery.settlement = restored ? CopySettlement::kRestored : CopySettlement::kUnsettled;
      break;
    }
    case CopyVerdict::kMerge:
      recovery.settlement = MergeCopy(files, copy, path, copied, month, days, recovery.keptPath);
      break;
    case CopyVerdict::kKeepAside:
      recovery.settlement =
          KeepAside(files, copy, path, recovery.keptPath) ? CopySettlement::kKeptAside : CopySettlement::kUnsettled;
      break;
  }
  return recovery;
}

}  // namespace

CopyVerdict JudgeLeftCopy(const FileSnapshot& copy, const FileSnapshot& month, int days) {
  const ParsedMonth copied = ParseSnapshot(copy.bytes, days);
  if (copied.whole) {
    if (!month.present) return CopyVerdict::kRestore;
    if (month.bytes == copy.bytes) return CopyVerdict::kRemove;
    if (copy.bytes.compare(0, month.bytes.size(), month.bytes) == 0) return CopyVerdict::kRestore;
    const ParsedMonth current = ParseSnapshot(month.bytes, days);
    if (current.whole && HoldsADayTheOtherLacks(copied.table, current.table, days) &&
        HoldsADayTheOtherLacks(current.table, copied.table, days)) {
      return CopyVerdict::kMerge;
    }
    const bool copyIsNewer = copy.timeKnown && month.timeKnown && copy.written >= month.written;
    return copyIsNewer ? CopyVerdict::kRestore : CopyVerdict::kKeepAside;
  }
  if (month.present && ParseSnapshot(month.bytes, days).whole) return CopyVerdict::kRemove;
  return HoldsNoDay(copied.table) ? CopyVerdict::kRemove : CopyVerdict::kKeepAside;
}

MonthRecovery SettleInterruptedSave(IFileSystem& files, const char* path, int days) {
  MonthRecovery recovery;
  char copy[kPathSize];
  char folder[kPathSize];
  // The older kind first: ours, if both are there, was written after it.
  if (MakeLegacyTemporaryPath(path, copy)) recovery = Graver(recovery, SettleCopy(files, copy, path, days));
  if (MakeTemporaryPath(path, copy, folder)) recovery = Graver(recovery, SettleCopy(files, copy, path, days));
  return recovery;
}
