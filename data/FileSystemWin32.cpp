#include <io.h>
#include <windows.h>

#include <cstdio>

#include "data/FileSystem.h"

namespace {

// The W functions cannot open longer paths without the \\?\ form anyway.
constexpr int kWidePathChars = MAX_PATH;

// Paths are cp932 whatever the ANSI code page of the system is.
bool ToWidePath(const char* path, wchar_t (&wide)[kWidePathChars]) {
  return MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, path, -1, wide, kWidePathChars) > 0;
}

std::FILE* OpenWide(const char* path, const wchar_t* mode) {
  wchar_t wide[kWidePathChars];
  if (!ToWidePath(path, wide)) return nullptr;
  return _wfopen(wide, mode);
}

}  // namespace

std::FILE* OpenFileForReading(const char* path) { return OpenWide(path, L"rb"); }

std::FILE* OpenFileForWriting(const char* path) { return OpenWide(path, L"wb"); }

bool CloseWrittenFile(std::FILE* file) {
  bool flushed = std::fflush(file) == 0 && _commit(_fileno(file)) == 0;
  bool closed = std::fclose(file) == 0;
  return flushed && closed;
}

bool MoveFileOver(const char* source, const char* target) {
  wchar_t wideSource[kWidePathChars];
  wchar_t wideTarget[kWidePathChars];
  if (!ToWidePath(source, wideSource) || !ToWidePath(target, wideTarget)) return false;
  return MoveFileExW(wideSource, wideTarget, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool RemoveFile(const char* path) {
  wchar_t wide[kWidePathChars];
  return ToWidePath(path, wide) && DeleteFileW(wide) != 0;
}
