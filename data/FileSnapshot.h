#pragma once
// One file's bytes as they were read, to tell later whether it changed and
// to judge a copy against it.
#include <cstdint>
#include <string>

class IFileSystem;

struct FileSnapshot {
  bool present = false;
  std::string bytes;
  bool timeKnown = false;
  uint64_t written = 0;  // when it was last written, comparable with another's

  // The same file content: both absent, or both there with the same bytes.
  bool SameContent(const FileSnapshot& other) const { return present == other.present && bytes == other.bytes; }
};

enum class SnapshotRead { kRead, kAbsent, kUnreadable };

// The whole file, up to far beyond the longest month file (a larger file is
// no month of ours, and its start is enough to judge it). A file another
// program holds for a moment is tried again for about a second.
SnapshotRead ReadFileSnapshot(IFileSystem& files, const char* path, FileSnapshot& snapshot);
