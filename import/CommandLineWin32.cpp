#include <windows.h>
// after windows.h
#include <shellapi.h>

#include "cp932/Cp932FromUtf8.h"
#include "cp932/Utf8FromCp932.h"
#include "import/CommandLine.h"

namespace {

std::string Utf8Of(const wchar_t* wide) {
  int length = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  if (length <= 1) return std::string();
  std::string utf8(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, -1, &utf8[0], length, nullptr, nullptr);
  utf8.resize(static_cast<size_t>(length - 1));
  return utf8;
}

}  // namespace

// The narrow arguments hold only what the ANSI code page can: take the wide ones.
std::vector<std::string> Utf8Arguments(int, char**) {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  for (int i = 1; wide != nullptr && i < count; ++i) arguments.push_back(Utf8Of(wide[i]));
  LocalFree(wide);
  return arguments;
}

// The data layer takes cp932 paths: the name must come back unchanged.
bool DataLayerFolder(const std::string& utf8, std::string& folder) {
  folder.clear();
  if (AppendCp932FromUtf8(folder, utf8) != 0) return false;
  std::string back;
  AppendUtf8FromCp932(back, folder);
  return back == utf8;
}
