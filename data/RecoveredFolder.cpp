#include "data/RecoveredFolder.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include "data/FileSystem.h"
#include "data/MonthFileWriter.h"

namespace {

constexpr int kKeptNames = 99;

}  // namespace

bool KeepInRecovered(IFileSystem& files, const char* path, const char* name,
                     const std::function<bool(const char* target)>& place, std::string& keptPath) {
  if (name == nullptr) name = path + MonthFileNameStart(path, strnlen(path, kPathSize));
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
    if (place(kept)) {
      keptPath = kept;
      return true;
    }
  }
  return false;
}

bool KeepBytesInRecovered(IFileSystem& files, const char* path, const std::string& bytes, std::string& keptPath) {
  return KeepInRecovered(
      files, path, nullptr,
      [&](const char* target) {
        FileCreateOutcome created = FileCreateOutcome::kFailed;
        std::unique_ptr<IFile> file = files.CreateNew(target, created);
        if (!file) return false;
        const bool written = file->Write(bytes.data(), bytes.size());
        if (file->FlushAndClose() && written) return true;
        files.Remove(target);
        return false;
      },
      keptPath);
}
