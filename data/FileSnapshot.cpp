#include "data/FileSnapshot.h"

#include <memory>

#include "data/FileSystem.h"
#include "data/ReadRetry.h"

namespace {

constexpr size_t kLargestSnapshot = size_t{1} << 20;

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
    if (snapshot.bytes.size() >= kLargestSnapshot) return SnapshotRead::kRead;
    snapshot.bytes.append(block, static_cast<size_t>(got));
  }
  return got == 0 ? SnapshotRead::kRead : SnapshotRead::kUnreadable;
}

}  // namespace

SnapshotRead ReadFileSnapshot(IFileSystem& files, const char* path, FileSnapshot& snapshot) {
  return RetryWhileUnreadable(files, SnapshotRead::kUnreadable, [&] { return ReadOnce(files, path, snapshot); });
}
