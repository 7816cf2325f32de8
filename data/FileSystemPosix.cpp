#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <thread>

#include "data/FileSystem.h"

namespace {

constexpr mode_t kNewFileMode = 0666;
constexpr mode_t kNewFolderMode = 0777;

class CPosixFile : public IFile {
 public:
  explicit CPosixFile(int fd) : m_fd(fd) {}
  CPosixFile(const CPosixFile&) = delete;
  CPosixFile& operator=(const CPosixFile&) = delete;
  ~CPosixFile() override {
    if (m_fd >= 0) close(m_fd);
  }

  long Read(char* buffer, size_t size) override {
    ssize_t got;
    do {
      got = read(m_fd, buffer, size);
    } while (got < 0 && errno == EINTR);
    return got < 0 ? -1 : static_cast<long>(got);
  }

  bool Write(const char* bytes, size_t size) override {
    while (size > 0) {
      ssize_t put = write(m_fd, bytes, size);
      if (put < 0 && errno == EINTR) continue;
      if (put <= 0) return false;
      bytes += put;
      size -= static_cast<size_t>(put);
    }
    return true;
  }

  bool Truncate() override { return ftruncate(m_fd, 0) == 0 && lseek(m_fd, 0, SEEK_SET) == 0; }

  bool FlushAndClose() override {
    bool flushed = fsync(m_fd) == 0;
    bool closed = close(m_fd) == 0;
    m_fd = -1;
    return flushed && closed;
  }

  bool LastWriteTime(uint64_t& ticks) override {
    struct stat status;
    if (fstat(m_fd, &status) != 0) return false;
    ticks = static_cast<uint64_t>(status.st_mtim.tv_sec) * 1000000000u + static_cast<uint64_t>(status.st_mtim.tv_nsec);
    return true;
  }

 private:
  int m_fd;
};

std::unique_ptr<IFile> OpenFd(const char* path, int flags) {
  int fd = open(path, flags | O_CLOEXEC, kNewFileMode);
  return fd >= 0 ? std::make_unique<CPosixFile>(fd) : nullptr;
}

// No file is hidden here: the host's folder listing is the Windows one.
class CPosixFileSystem : public IFileSystem {
 public:
  std::unique_ptr<IFile> OpenToRead(const char* path, FileOpenOutcome& outcome) override {
    std::unique_ptr<IFile> file = OpenFd(path, O_RDONLY);
    outcome = file ? FileOpenOutcome::kOpened
                   : (errno == ENOENT || errno == ENOTDIR ? FileOpenOutcome::kAbsent : FileOpenOutcome::kRefused);
    return file;
  }
  std::unique_ptr<IFile> CreateNew(const char* path, FileCreateOutcome& outcome) override {
    std::unique_ptr<IFile> file = OpenFd(path, O_WRONLY | O_CREAT | O_EXCL);
    outcome = file ? FileCreateOutcome::kCreated
                   : (errno == EEXIST ? FileCreateOutcome::kExists : FileCreateOutcome::kFailed);
    return file;
  }
  std::unique_ptr<IFile> OpenInPlace(const char* path) override { return OpenFd(path, O_WRONLY | O_CREAT); }
  bool Replace(const char* source, const char* target) override { return std::rename(source, target) == 0; }
  // A link is refused where the target is: the move never replaces.
  bool Move(const char* source, const char* target) override {
    return link(source, target) == 0 && unlink(source) == 0;
  }
  bool Remove(const char* path) override { return std::remove(path) == 0; }
  bool MakeFolder(const char* path, bool) override {
    struct stat status;
    return mkdir(path, kNewFolderMode) == 0 || (stat(path, &status) == 0 && S_ISDIR(status.st_mode));
  }
  void Unhide(const char*) override {}
  FileStamp Stamp(const char* path) override {
    FileStamp stamp;
    struct stat status;
    if (stat(path, &status) != 0) return stamp;
    stamp.present = true;
    stamp.size = static_cast<uint64_t>(status.st_size);
    stamp.written =
        static_cast<uint64_t>(status.st_mtim.tv_sec) * 1000000000u + static_cast<uint64_t>(status.st_mtim.tv_nsec);
    return stamp;
  }
  bool ListFolder(const char* folder, std::vector<std::string>& names) override {
    names.clear();
    DIR* listing = opendir(folder);
    if (listing == nullptr) return false;
    while (const dirent* entry = readdir(listing)) {
      if (entry->d_type == DT_REG || entry->d_type == DT_UNKNOWN) names.emplace_back(entry->d_name);
    }
    closedir(listing);
    return true;
  }
  void Pause(unsigned milliseconds) override { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }
};

}  // namespace

std::FILE* OpenFileForReading(const char* path) { return std::fopen(path, "rb"); }

IFileSystem& SystemFileSystem() {
  static CPosixFileSystem files;
  return files;
}
