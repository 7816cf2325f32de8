#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "data/FileSystem.h"

namespace {

// The W functions cannot open longer paths without the \\?\ form anyway.
constexpr int kWidePathChars = MAX_PATH;
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// A name of MAX_PATH UTF-16 units, two cp932 bytes each at the most.
constexpr int kNarrowNameBytes = 2 * MAX_PATH;
// Larger requests are made in pieces that a DWORD counts.
constexpr size_t kLargestTransfer = 1u << 30;

// Paths are cp932 whatever the ANSI code page of the system is.
bool ToWidePath(const char* path, wchar_t (&wide)[kWidePathChars]) {
  return MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, path, -1, wide, kWidePathChars) > 0;
}

HANDLE CreateWide(const char* path, DWORD access, DWORD share, DWORD disposition, DWORD attributes) {
  wchar_t wide[kWidePathChars];
  if (!ToWidePath(path, wide)) {
    SetLastError(ERROR_INVALID_NAME);
    return INVALID_HANDLE_VALUE;
  }
  return CreateFileW(wide, access, share, nullptr, disposition, attributes, nullptr);
}

bool MoveWide(const char* source, const char* target, DWORD flags) {
  wchar_t wideSource[kWidePathChars];
  wchar_t wideTarget[kWidePathChars];
  if (!ToWidePath(source, wideSource) || !ToWidePath(target, wideTarget)) return false;
  return MoveFileExW(wideSource, wideTarget, flags | MOVEFILE_WRITE_THROUGH) != 0;
}

class CWin32File : public IFile {
 public:
  explicit CWin32File(HANDLE handle) : m_handle(handle) {}
  CWin32File(const CWin32File&) = delete;
  CWin32File& operator=(const CWin32File&) = delete;
  ~CWin32File() override {
    if (m_handle != INVALID_HANDLE_VALUE) CloseHandle(m_handle);
  }

  long Read(char* buffer, size_t size) override {
    DWORD got = 0;
    DWORD asked = static_cast<DWORD>(size < kLargestTransfer ? size : kLargestTransfer);
    return ReadFile(m_handle, buffer, asked, &got, nullptr) ? static_cast<long>(got) : -1;
  }

  bool Write(const char* bytes, size_t size) override {
    while (size > 0) {
      DWORD put = 0;
      DWORD asked = static_cast<DWORD>(size < kLargestTransfer ? size : kLargestTransfer);
      if (!WriteFile(m_handle, bytes, asked, &put, nullptr) || put == 0) return false;
      bytes += put;
      size -= put;
    }
    return true;
  }

  bool Truncate() override { return SetFilePointer(m_handle, 0, nullptr, FILE_BEGIN) == 0 && SetEndOfFile(m_handle); }

  bool FlushAndClose() override {
    bool flushed = FlushFileBuffers(m_handle) != 0;
    bool closed = CloseHandle(m_handle) != 0;
    m_handle = INVALID_HANDLE_VALUE;
    return flushed && closed;
  }

  bool LastWriteTime(uint64_t& ticks) override {
    FILETIME written;
    if (!GetFileTime(m_handle, nullptr, nullptr, &written)) return false;
    ticks = (static_cast<uint64_t>(written.dwHighDateTime) << 32) | written.dwLowDateTime;
    return true;
  }

 private:
  HANDLE m_handle;
};

std::unique_ptr<IFile> Wrap(HANDLE handle) {
  return handle != INVALID_HANDLE_VALUE ? std::make_unique<CWin32File>(handle) : nullptr;
}

class CWin32FileSystem : public IFileSystem {
 public:
  std::unique_ptr<IFile> OpenToRead(const char* path, FileOpenOutcome& outcome) override {
    HANDLE handle = CreateWide(path, GENERIC_READ, kShareAll, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
    DWORD error = GetLastError();
    outcome = handle != INVALID_HANDLE_VALUE                                   ? FileOpenOutcome::kOpened
              : error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? FileOpenOutcome::kAbsent
                                                                               : FileOpenOutcome::kRefused;
    return Wrap(handle);
  }

  std::unique_ptr<IFile> CreateNew(const char* path, FileCreateOutcome& outcome) override {
    HANDLE handle = CreateWide(path, GENERIC_WRITE, 0, CREATE_NEW, FILE_ATTRIBUTE_NORMAL);
    DWORD error = GetLastError();
    outcome = handle != INVALID_HANDLE_VALUE                                ? FileCreateOutcome::kCreated
              : error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ? FileCreateOutcome::kExists
                                                                            : FileCreateOutcome::kFailed;
    return Wrap(handle);
  }

  std::unique_ptr<IFile> OpenInPlace(const char* path) override {
    return Wrap(CreateWide(path, GENERIC_WRITE, kShareAll, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL));
  }

  bool Replace(const char* source, const char* target) override {
    return MoveWide(source, target, MOVEFILE_REPLACE_EXISTING);
  }

  bool Move(const char* source, const char* target) override { return MoveWide(source, target, 0); }

  bool Remove(const char* path) override {
    wchar_t wide[kWidePathChars];
    return ToWidePath(path, wide) && DeleteFileW(wide) != 0;
  }

  bool MakeFolder(const char* path, bool hidden) override {
    wchar_t wide[kWidePathChars];
    if (!ToWidePath(path, wide)) return false;
    if (CreateDirectoryW(wide, nullptr)) {
      if (hidden) SetFileAttributesW(wide, FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN);
      return true;
    }
    DWORD attributes = GetFileAttributesW(wide);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  }

  void Unhide(const char* path) override {
    wchar_t wide[kWidePathChars];
    if (!ToWidePath(path, wide)) return;
    DWORD attributes = GetFileAttributesW(wide);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_HIDDEN) == 0) return;
    DWORD shown = attributes & ~FILE_ATTRIBUTE_HIDDEN;
    SetFileAttributesW(wide, shown != 0 ? shown : FILE_ATTRIBUTE_NORMAL);
  }

  FileStamp Stamp(const char* path) override {
    FileStamp stamp;
    wchar_t wide[kWidePathChars];
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!ToWidePath(path, wide) || !GetFileAttributesExW(wide, GetFileExInfoStandard, &data)) return stamp;
    stamp.present = true;
    stamp.size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    stamp.written =
        (static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
    return stamp;
  }

  bool ListFolder(const char* folder, std::vector<std::string>& names) override {
    names.clear();
    wchar_t wide[kWidePathChars];
    if (!ToWidePath(folder, wide)) return false;
    std::wstring pattern = wide;
    pattern += L"\\*";
    WIN32_FIND_DATAW found;
    HANDLE listing = FindFirstFileW(pattern.c_str(), &found);
    if (listing == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
    do {
      if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
      char name[kNarrowNameBytes];
      BOOL lossy = FALSE;
      const int length =
          WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, found.cFileName, -1, name, sizeof name, nullptr, &lossy);
      if (length > 0 && !lossy) names.emplace_back(name);
    } while (FindNextFileW(listing, &found));
    FindClose(listing);
    return true;
  }

  void Pause(unsigned milliseconds) override { Sleep(milliseconds); }
};

}  // namespace

// A C runtime open would not share deletion, and a save of the month
// could not replace the file while it is searched.
std::FILE* OpenFileForReading(const char* path) {
  HANDLE handle = CreateWide(path, GENERIC_READ, kShareAll, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY | _O_BINARY);
  if (descriptor < 0) {
    CloseHandle(handle);
    return nullptr;
  }
  std::FILE* file = _fdopen(descriptor, "rb");
  if (file == nullptr) _close(descriptor);
  return file;
}

IFileSystem& SystemFileSystem() {
  static CWin32FileSystem files;
  return files;
}
