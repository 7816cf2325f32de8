#include "reminders/DismissedFile.h"

#include <cstring>

#include "data/ConflictCopies.h"
#include "data/FileSnapshot.h"
#include "data/FileSystem.h"
#include "data/MonthFile.h"
#include "data/MonthFileWriter.h"
#include "data/RecoveredFolder.h"
#include "reminders/DismissedSet.h"

namespace {

DismissedRead ReadInto(IFileSystem& files, const char* path, CDismissedSet& set, FileSnapshot& snapshot) {
  switch (ReadFileSnapshot(files, path, snapshot)) {
    case SnapshotRead::kAbsent:
      return DismissedRead::kAbsent;
    case SnapshotRead::kUnreadable:
      return DismissedRead::kUnreadable;
    case SnapshotRead::kRead:
      break;
  }
  return set.AddFileBytes(snapshot.bytes) ? DismissedRead::kRead : DismissedRead::kUnreadable;
}

// The file as it is now, with what of it a write cut short left.
DismissedRead ReadWithLeftCopy(IFileSystem& files, const char* path, CDismissedSet& set, FileSnapshot& snapshot) {
  CDismissedSet read;
  const DismissedRead outcome = ReadInto(files, path, read, snapshot);
  if (outcome == DismissedRead::kUnreadable) return outcome;
  char temporary[kPathSize];
  char folder[kPathSize];
  FileSnapshot left;
  if (MakeTemporaryPath(path, temporary, folder)) ReadInto(files, temporary, read, left);
  set.Merge(read);
  return outcome;
}

}  // namespace

DismissedRead ReadDismissedFile(IFileSystem& files, const char* path, CDismissedSet& set) {
  FileSnapshot snapshot;
  return ReadWithLeftCopy(files, path, set, snapshot);
}

bool WriteDismissedFile(IFileSystem& files, const char* path, CDismissedSet& set, int firstKeptDayNumber) {
  const size_t length = strnlen(path, kPathSize);
  const size_t nameStart = MonthFileNameStart(path, length);
  if (nameStart > 1) files.MakeFolder(std::string(path, nameStart - 1).c_str(), false);  // usually there
  FileSnapshot now;
  if (ReadWithLeftCopy(files, path, set, now) == DismissedRead::kUnreadable) return false;
  set.PruneBefore(firstKeptDayNumber);
  const std::string bytes = set.Format();
  // Unchanged, so that a sync client has nothing to send to the other PC.
  if (now.present && now.bytes == bytes) return true;
  return WriteFileThrough(files, path, bytes) != MonthWriteOutcome::kFailed;
}

bool FoldDismissedCopies(IFileSystem& files, const std::string& folder, char separator, const char* path,
                         const char* recoveredBeside, CDismissedSet& set, int firstKeptDayNumber,
                         std::vector<std::string>& keptPaths) {
  std::vector<std::string> names;
  if (!files.ListFolder(folder.c_str(), names)) return false;
  bool allFolded = true;
  std::vector<std::string> copies;
  for (const std::string& name : names) {
    if (!IsConflictCopyOf(name, kDismissedFileStem, kDismissedFileExtension)) continue;
    FileSnapshot copy;
    switch (ReadFileSnapshot(files, (folder + separator + name).c_str(), copy)) {
      case SnapshotRead::kRead:
        // A file of that name that is none of ours is left alone.
        if (set.AddFileBytes(copy.bytes)) copies.push_back(name);
        break;
      case SnapshotRead::kAbsent:
        break;
      case SnapshotRead::kUnreadable:
        allFolded = false;
        break;
    }
  }
  if (copies.empty()) return allFolded;
  if (!WriteDismissedFile(files, path, set, firstKeptDayNumber)) return false;
  for (const std::string& name : copies) {
    const std::string copyPath = folder + separator + name;
    std::string kept;
    if (KeepInRecovered(
            files, recoveredBeside, name.c_str(),
            [&](const char* target) { return files.Move(copyPath.c_str(), target); }, kept)) {
      keptPaths.push_back(kept);
    } else {
      allFolded = false;
    }
  }
  return allFolded;
}
