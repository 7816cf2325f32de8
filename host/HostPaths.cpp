#include "host/HostPaths.h"

#include <shlobj.h>

#include "win/WinHeaders.h"

std::wstring DefaultDataDirectory() {
  wchar_t appData[MAX_PATH];
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData))) return L"";
  return std::wstring(appData) + L"\\Quirelle";
}

std::wstring DefaultIniPath(const std::wstring& dataDirectory) { return dataDirectory + L"\\Quirelle.ini"; }

bool EnsureFolder(const std::wstring& folder) {
  DWORD attributes = GetFileAttributesW(folder.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  size_t separator = folder.find_last_of(L"\\/");
  // A drive root or a bare name has nothing above it to create.
  if (separator != std::wstring::npos && separator > 0 && folder[separator - 1] != L':') {
    EnsureFolder(folder.substr(0, separator));
  }
  return CreateDirectoryW(folder.c_str(), nullptr) != FALSE || GetLastError() == ERROR_ALREADY_EXISTS;
}
