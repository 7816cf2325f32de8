#pragma once
// The file operations of the month file and the search. Paths are cp932
// bytes; each platform file turns them into what its system needs.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

// Binary reading ("rb"), sharing reading, writing and deletion with other
// programs; nullptr when the file cannot be opened. The caller closes the
// file with std::fclose.
std::FILE* OpenFileForReading(const char* path);

// One open file of the file layer; closed when it goes.
class IFile {
 public:
  virtual ~IFile() = default;
  // Bytes read into buffer, 0 at the end of the file, -1 when the read failed.
  virtual long Read(char* buffer, size_t size) = 0;
  // False when not every byte was written.
  virtual bool Write(const char* bytes, size_t size) = 0;
  // Cuts the file to nothing and writes on from its start.
  virtual bool Truncate() = 0;
  // Down to the disk, then closed; false when any of that failed.
  virtual bool FlushAndClose() = 0;
  // When the file was last written, in ticks that only compare with each
  // other; false when the system does not tell.
  virtual bool LastWriteTime(uint64_t& ticks) = 0;
};

// What opening an existing file to read came to.
enum class FileOpenOutcome { kOpened, kAbsent, kRefused };

// How a file or folder stands, asked without opening it: cheap enough to
// ask every second. Two stamps that differ mean it may have changed.
struct FileStamp {
  bool present = false;
  uint64_t size = 0;
  uint64_t written = 0;  // ticks that only compare with each other

  bool operator==(const FileStamp& other) const {
    return present == other.present && size == other.size && written == other.written;
  }
  bool operator!=(const FileStamp& other) const { return !(*this == other); }
};

// What making a new file came to.
enum class FileCreateOutcome { kCreated, kExists, kFailed };

// The file layer the month files go through, so that tests can make any
// step of it fail.
class IFileSystem {
 public:
  virtual ~IFileSystem() = default;
  // To read, sharing reading, writing and deletion: another program can
  // still write or replace the file while it is read.
  virtual std::unique_ptr<IFile> OpenToRead(const char* path, FileOpenOutcome& outcome) = 0;
  // A new file to write; never one that is there already (kExists).
  virtual std::unique_ptr<IFile> CreateNew(const char* path, FileCreateOutcome& outcome) = 0;
  // Opens the file, or creates it, to rewrite it where it is, sharing
  // reading, writing and deletion with the programs that hold it.
  virtual std::unique_ptr<IFile> OpenInPlace(const char* path) = 0;
  // Puts source in the place of target in one step. False when nothing was moved.
  virtual bool Replace(const char* source, const char* target) = 0;
  // Moves source to target, which must not be there yet.
  virtual bool Move(const char* source, const char* target) = 0;
  virtual bool Remove(const char* path) = 0;
  // True when the folder is there afterwards; a new one is hidden when asked.
  virtual bool MakeFolder(const char* path, bool hidden) = 0;
  // A file that is hidden is shown; nothing happens to any other.
  virtual void Unhide(const char* path) = 0;
  // Absent (present false) also when it cannot be asked.
  virtual FileStamp Stamp(const char* path) = 0;
  // The names of the files in the folder, as cp932 bytes; names that cp932
  // cannot spell are left out. False when the folder cannot be listed.
  virtual bool ListFolder(const char* folder, std::vector<std::string>& names) = 0;
  // Waits before an attempt is made again.
  virtual void Pause(unsigned milliseconds) = 0;
};

// The system's own files.
IFileSystem& SystemFileSystem();
