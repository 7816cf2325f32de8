#include "sifter/FileSifter.h"

#include <algorithm>
#include <string>
#include <vector>

#include "win/Text.h"

namespace {

// Folders, and files kept out of sight such as a month's temporary file
// while it is saved, are not listed.
constexpr DWORD kUnlisted = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

std::vector<std::string> ListFiles(const char* folder) {
  std::vector<std::string> names;
  std::wstring pattern = WidenCp932(folder);
  if (pattern.empty()) return names;
  if (pattern.back() != L'\\' && pattern.back() != L'/') pattern += L'\\';
  pattern += L'*';
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if ((found.dwFileAttributes & kUnlisted) != 0) continue;
    names.push_back(NarrowToCp932(found.cFileName).str());
  } while (FindNextFileW(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

CFileSifter::CFileSifter(const char* folder, unsigned) : m_files(new CStringArray) {
  for (const std::string& name : ListFiles(folder)) m_files->Add(name.c_str());
}

CFileSifter::~CFileSifter() { delete m_files; }

CStringArray* CFileSifter::GetFileList() { return m_files; }
