#include "data/MonthFileRecovery.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include "data/FileSystem.h"
#include "data/MonthFileWriter.h"
#include "data/ReadRetry.h"

namespace {

// Far beyond the longest month file: a larger file is no month of ours and
// is not held in memory whole.
constexpr size_t kLargestSnapshot = size_t{1} << 20;
constexpr int kKeptNames = 99;

enum class SnapshotRead { kRead, kAbsent, kUnreadable };

SnapshotRead ReadOnce(IFileSystem& files, const char* path, FileSnapshot& snapshot) {
  snapshot = FileSnapshot();
  FileOpenOutcome opened = FileOpenOutcome::kRefused;
  std::unique_ptr<IFile> file = files.OpenToRead(path, opened);
  if (opened == FileOpenOutcome::kAbsent) return SnapshotRead::kAbsent;
  if (!file) return SnapshotRead::kUnreadable;
  snapshot.present = true;
  snapshot.timeKnown = file->LastWriteTime(snapshot.written);
  char block[4096];
  long got;
  while ((got = file->Read(block, sizeof block)) > 0) {
    if (snapshot.bytes.size() >= kLargestSnapshot) return SnapshotRead::kRead;  // its start is enough to judge
    snapshot.bytes.append(block, static_cast<size_t>(got));
  }
  return got == 0 ? SnapshotRead::kRead : SnapshotRead::kUnreadable;
}

SnapshotRead ReadRetrying(IFileSystem& files, const char* path, FileSnapshot& snapshot) {
  return RetryWhileUnreadable(files, SnapshotRead::kUnreadable, [&] { return ReadOnce(files, path, snapshot); });
}

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

// "schedule2010_03.dat", then "schedule2010_03 (2).dat" and on, in the recovered folder.
bool KeepAside(IFileSystem& files, const char* copy, const char* path, std::string& keptPath) {
  const char* name = path + MonthFileNameStart(path, strnlen(path, kPathSize));
  const char* dot = std::strrchr(name, '.');
  const int stem = static_cast<int>(dot != nullptr ? dot - name : std::strlen(name));
  char kept[kPathSize];
  char folder[kPathSize];
  for (int number = 1; number <= kKeptNames; ++number) {
    char keptName[kPathSize];
    if (number == 1) {
      std::snprintf(keptName, sizeof keptName, "%s", name);
    } else {
      std::snprintf(keptName, sizeof keptName, "%.*s (%d)%s", stem, name, number, dot != nullptr ? dot : "");
    }
    if (!PathInSubFolder(path, kRecoveredFolderName, keptName, kept, folder)) return false;
    if (number == 1 && !files.MakeFolder(folder, false)) return false;
    if (files.Move(copy, kept)) {
      files.Unhide(kept);  // an earlier version's copy was hidden
      keptPath = kept;
      return true;
    }
  }
  return false;
}

// The more a settlement asks of the user, the more it counts.
MonthRecovery Graver(const MonthRecovery& a, const MonthRecovery& b) {
  MonthRecovery graver = static_cast<int>(b.settlement) >= static_cast<int>(a.settlement) ? b : a;
  if (graver.keptPath.empty()) graver.keptPath = a.keptPath.empty() ? b.keptPath : a.keptPath;
  return graver;
}

MonthRecovery SettleCopy(IFileSystem& files, const char* copy, const char* path, int days) {
  MonthRecovery recovery;
  FileSnapshot copied;
  const SnapshotRead copyRead = ReadRetrying(files, copy, copied);
  if (copyRead == SnapshotRead::kAbsent) return recovery;
  FileSnapshot month;
  if (copyRead == SnapshotRead::kUnreadable || ReadRetrying(files, path, month) == SnapshotRead::kUnreadable) {
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
