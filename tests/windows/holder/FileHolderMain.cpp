// plannix-file-holder MODE PATH EVENT: holds a file open as another program
// would, until it is told to let go. "lock" shares nothing (a virus scanner,
// a backup); "read" reads as every C runtime reader does ("rb": sharing
// reading and writing, not deletion). Sets EVENT-held once it holds the
// file and lets go at EVENT-release or after a minute; exit 0 when it held.
#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>

#include <cstdio>
#include <string>

int main() {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (arguments == nullptr || count != 4) return 2;
  const std::wstring mode = arguments[1];
  const std::wstring event = arguments[3];
  HANDLE held = CreateEventW(nullptr, TRUE, FALSE, (event + L"-held").c_str());
  HANDLE release = CreateEventW(nullptr, TRUE, FALSE, (event + L"-release").c_str());
  HANDLE locked = mode == L"lock" ? CreateFileW(arguments[2], GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)
                                  : INVALID_HANDLE_VALUE;
  std::FILE* reader = mode == L"read" ? _wfopen(arguments[2], L"rb") : nullptr;
  char block[512];
  while (reader != nullptr && std::fread(block, 1, sizeof block, reader) == sizeof block) {
  }
  if (locked == INVALID_HANDLE_VALUE && reader == nullptr) return 1;
  SetEvent(held);
  WaitForSingleObject(release, 60000);
  if (reader != nullptr) std::fclose(reader);
  if (locked != INVALID_HANDLE_VALUE) CloseHandle(locked);
  return 0;
}
