#include "reminders/LocalDismissals.h"

#include "data/FileSystem.h"
#include "data/MonthFileWriter.h"
#include "reminders/DismissedFile.h"

bool ReadLocalDismissals(IFileSystem& files, const std::string& path, CDismissedSet& set) {
  if (path.empty()) return true;
  const DismissedFileContent content = ReadDismissedFile(files, path.c_str());
  switch (content.outcome) {
    case DismissedRead::kRead:
    case DismissedRead::kAbsent:
      set.Merge(content.file);
      set.Merge(content.leftCopy);
      return true;
    case DismissedRead::kDamaged:
      // None of ours: nothing to take from it, and written anew when there is.
      return true;
    case DismissedRead::kUnreadable:
      break;
  }
  return false;
}

bool KeepLocalDismissals(IFileSystem& files, const std::string& path, const CDismissedSet& set) {
  if (path.empty()) return false;
  CDismissedSet kept;
  if (!ReadLocalDismissals(files, path, kept)) return false;
  const size_t before = kept.Size();
  if (!kept.Merge(set) && before > 0) return true;
  const size_t nameStart = MonthFileNameStart(path.c_str(), path.size());
  if (nameStart > 1) files.MakeFolder(path.substr(0, nameStart - 1).c_str(), false);  // usually there
  return WriteFileThrough(files, path.c_str(), kept.Format()) != MonthWriteOutcome::kFailed;
}

void SettleLocalDismissals(IFileSystem& files, const std::string& path, const CDismissedSet& written,
                           const std::string& origin, int today) {
  if (path.empty() || !files.Stamp(path.c_str()).present) return;
  CDismissedSet kept;
  if (!ReadLocalDismissals(files, path, kept)) return;
  const CDismissedSet before = kept;
  kept.Remove(written);
  kept.Prune(origin, today);
  if (kept.Size() == 0) {
    files.Remove(path.c_str());
  } else if (kept != before) {
    WriteFileThrough(files, path.c_str(), kept.Format());
  }
}
