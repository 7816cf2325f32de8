// plannix-file-holder MODE PATH EVENT: holds a file open as another program
// would, until it is told to let go.
//   lock  opens it sharing nothing, as a virus scanner or a backup may;
//   read  opens it as every C runtime reader does ("rb": sharing reading and
//         writing, not deletion) and reads it through.
// Sets the event EVENT-held once it holds the file and lets go when
// EVENT-release is set, or after a minute. Exit 0 when the file was held.
#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>

#include <cstdio>
#include <string>

namespace {

constexpr DWORD kLongestHoldMs = 60000;

}  // namespace

int main() {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (arguments == nullptr || count != 4) return 2;
  const std::wstring mode = arguments[1];
  const std::wstring path = arguments[2];
  const std::wstring event = arguments[3];
  HANDLE held = CreateEventW(nullptr, TRUE, FALSE, (event + L"-held").c_str());
  HANDLE release = CreateEventW(nullptr, TRUE, FALSE, (event + L"-release").c_str());

  HANDLE locked = INVALID_HANDLE_VALUE;
  std::FILE* reader = nullptr;
  if (mode == L"lock") {
    locked = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  } else if (mode == L"read") {
    reader = _wfopen(path.c_str(), L"rb");
    char block[512];
    while (reader != nullptr && std::fread(block, 1, sizeof block, reader) == sizeof block) {
    }
  }
  if (locked == INVALID_HANDLE_VALUE && reader == nullptr) return 1;
  SetEvent(held);
  WaitForSingleObject(release, kLongestHoldMs);
  if (reader != nullptr) std::fclose(reader);
  if (locked != INVALID_HANDLE_VALUE) CloseHandle(locked);
  return 0;
}
