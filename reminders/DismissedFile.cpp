#include "reminders/DismissedFile.h"

#include <cstring>

#include "data/ConflictCopies.h"
#include "data/FileSystem.h"
#include "data/MonthFile.h"
#include "data/MonthFileWriter.h"
#include "data/RecoveredFolder.h"

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
  return set.AddFileBytes(snapshot.bytes) ? DismissedRead::kRead : DismissedRead::kDamaged;
}

// The parent folder of a file, made where it is missing.
void MakeFolderOf(IFileSystem& files, const char* path) {
  const size_t length = strnlen(path, kPathSize);
  const size_t nameStart = MonthFileNameStart(path, length);
  if (nameStart > 1) files.MakeFolder(std::string(path, nameStart - 1).c_str(), false);  // usually there
}

}  // namespace

DismissedFileContent ReadDismissedFile(IFileSystem& files, const char* path) {
  DismissedFileContent content;
  content.outcome = ReadInto(files, path, content.file, content.snapshot);
  if (content.outcome == DismissedRead::kUnreadable) return content;
  char temporary[kPathSize];
  char folder[kPathSize];
  FileSnapshot left;
  if (MakeTemporaryPath(path, temporary, folder) &&
      ReadInto(files, temporary, content.leftCopy, left) == DismissedRead::kRead) {
    content.leftCopyWhole = CDismissedSet::IsWholeFile(left.bytes);
  }
  return content;
}

bool WriteDismissedFile(IFileSystem& files, const char* path, CDismissedSet& set, const std::string& origin,
                        int today) {
  MakeFolderOf(files, path);
  const DismissedFileContent now = ReadDismissedFile(files, path);
  if (now.outcome == DismissedRead::kUnreadable || now.outcome == DismissedRead::kDamaged) return false;
  set.Merge(now.file);
  set.Merge(now.leftCopy);
  set.Prune(origin, today);
  const std::string bytes = set.Format();
  // Unchanged, so that a sync client has nothing to send to the other PC.
  if (now.snapshot.present && now.snapshot.bytes == bytes) return true;
  return WriteFileThrough(files, path, bytes) != MonthWriteOutcome::kFailed;
}

bool MoveDamagedDismissedFile(IFileSystem& files, const char* path, const char* recoveredBeside,
                              std::string& keptPath) {
  const std::string name = std::string(kDismissedFileStem) + kDismissedFileExtension;
  return KeepInRecovered(
      files, recoveredBeside, name.c_str(), [&](const char* target) { return files.Move(path, target); }, keptPath);
}

bool FoldDismissedCopies(IFileSystem& files, const std::string& folder, char separator, const char* path,
                         const char* recoveredBeside, CDismissedSet& set, const std::string& origin, int today,
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
  if (!WriteDismissedFile(files, path, set, origin, today)) return false;
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
