#include "sync/win/SyncAccount.h"

#include <cstdlib>
#include <vector>

#include "sync/BookIdentity.h"
#include "win/Text.h"
#include "win/WinHeaders.h"

#include <shlobj.h>

namespace {

constexpr char kAccountFileName[] = "calendar.txt";
constexpr char kResultSuffix[] = ".result";
// Larger than any of these files is no file of ours.
constexpr DWORD kSmallFileLimit = 1024 * 1024;

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

bool MakeFolder(const std::string& folder) {
  const std::wstring wide = WidenCp932(folder.c_str());
  return CreateDirectoryW(wide.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

}  // namespace

std::string SyncAccountPath(const std::string& bookFolder) {
  return bookFolder + "\\" + kSyncFolderName + "\\" + kAccountFileName;
}

std::string ThisPcSyncFolder() {
  wchar_t base[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, base))) return "";
  const std::string plannix = std::string(NarrowToCp932(base).c_str()) + "\\Plannix";
  const std::string folder = plannix + "\\" + kSyncFolderName;
  if (!MakeFolder(plannix) || !MakeFolder(folder)) return "";
  return folder;
}

bool ReadSmallFile(const std::string& path, std::string& bytes) {
  bytes.clear();
  HANDLE file = CreateFileW(WidenCp932(path.c_str()).c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size = {};
  bool read = GetFileSizeEx(file, &size) && size.QuadPart <= kSmallFileLimit;
  if (read && size.QuadPart > 0) {
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD got = 0;
    read = ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &got, nullptr) && got == bytes.size();
  }
  CloseHandle(file);
  if (!read) bytes.clear();
  return read;
}

bool WriteSmallFile(const std::string& path, const std::string& bytes) {
  const std::wstring target = WidenCp932(path.c_str());
  const std::wstring temporary = target + L".new";
  HANDLE file =
      CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool whole = bytes.empty() || (WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                                 written == bytes.size());
  whole = FlushFileBuffers(file) && whole;
  CloseHandle(file);
  if (whole && MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  DeleteFileW(temporary.c_str());
  return false;
}

bool ReadSyncAccount(const std::string& bookFolder, SyncSettings& settings) {
  std::string text;
  const std::string path = SyncAccountPath(bookFolder);
  if (!ReadSmallFile(path, text)) {
    settings = SyncSettings();
    // Absent is the defaults; there but unreadable is told.
    return GetFileAttributesW(WidenCp932(path.c_str()).c_str()) == INVALID_FILE_ATTRIBUTES;
  }
  settings = ParseSyncSettings(text);
  return true;
}

bool WriteSyncAccount(const std::string& bookFolder, const SyncSettings& settings) {
  const std::string path = SyncAccountPath(bookFolder);
  // A book that no window has opened yet may have no folder either.
  if (!MakeFolder(bookFolder) || !MakeFolder(FolderOf(path))) return false;
  SyncSettings kept = settings;
  kept.enabled = false;  // this PC's own choice, in the host's settings
  return WriteSmallFile(path, FormatSyncSettings(kept));
}

bool ReadSyncResultLine(const std::string& statePath, SyncResultLine& result) {
  result = SyncResultLine();
  std::string text;
  if (!ReadSmallFile(statePath + kResultSuffix, text)) return false;
  const size_t end = text.find('\n');
  if (end == std::string::npos) return false;
  result.utcSeconds = std::strtoll(text.substr(0, end).c_str(), nullptr, 10);
  result.line = text.substr(end + 1);
  while (!result.line.empty() && (result.line.back() == '\n' || result.line.back() == '\r')) result.line.pop_back();
  return true;
}

bool WriteSyncResultLine(const std::string& statePath, const SyncResultLine& result) {
  return WriteSmallFile(statePath + kResultSuffix, std::to_string(result.utcSeconds) + "\n" + result.line + "\n");
}
