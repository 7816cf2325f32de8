#include "data/ConflictCopies.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "data/FileSnapshot.h"
#include "data/FileSystem.h"
#include "data/MergingWrite.h"
#include "data/MonthFile.h"
#include "data/RecoveredFolder.h"

namespace {

constexpr char kStemStart[] = "schedule";
constexpr char kExtension[] = ".dat";
constexpr size_t kLongestDeviceName = 63;

bool AllDigits(const std::string& text, size_t start, size_t count) {
  if (start + count > text.size()) return false;
  for (size_t i = start; i < start + count; ++i) {
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
  }
  return true;
}

bool IsUpperOrDigit(char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }
bool IsDeviceNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_'; }

// ".sync-conflict-YYYYMMDD-HHMMSS-XXXXXXX"
bool IsSyncthingSuffix(const std::string& suffix) {
  constexpr char kStart[] = ".sync-conflict-";
  constexpr size_t kStartLength = sizeof kStart - 1;
  constexpr size_t kIdLength = 7;
  if (suffix.compare(0, kStartLength, kStart) != 0) return false;
  const size_t date = kStartLength;
  if (suffix.size() != date + 8 + 1 + 6 + 1 + kIdLength) return false;
  if (!AllDigits(suffix, date, 8) || suffix[date + 8] != '-' || !AllDigits(suffix, date + 9, 6) ||
      suffix[date + 15] != '-') {
    return false;
  }
  for (size_t i = date + 16; i < suffix.size(); ++i) {
    if (!IsUpperOrDigit(suffix[i])) return false;
  }
  return true;
}

// " (...YYYY-MM-DD...)": whatever the wording, the date is written this way.
bool IsBracketedCopySuffix(const std::string& suffix) {
  if (suffix.size() < 2 + 10 + 1 || suffix.compare(0, 2, " (") != 0 || suffix.back() != ')') return false;
  for (size_t i = 2; i + 10 < suffix.size(); ++i) {
    if (AllDigits(suffix, i, 4) && suffix[i + 4] == '-' && AllDigits(suffix, i + 5, 2) && suffix[i + 7] == '-' &&
        AllDigits(suffix, i + 8, 2)) {
      return true;
    }
  }
  return false;
}

// "-NAME": a PC's name, letters, digits, hyphens.
bool IsDeviceSuffix(const std::string& suffix) {
  if (suffix.size() < 2 || suffix.size() > 1 + kLongestDeviceName || suffix[0] != '-') return false;
  for (size_t i = 1; i < suffix.size(); ++i) {
    if (!IsDeviceNameChar(suffix[i])) return false;
  }
  return true;
}

bool IsSyncClientSuffix(const std::string& suffix) {
  return IsSyncthingSuffix(suffix) || IsBracketedCopySuffix(suffix) || IsDeviceSuffix(suffix);
}

// extension: lower case, with its dot; the name's in any case.
bool EndsWithExtension(const std::string& name, const std::string& extension) {
  if (name.size() < extension.size()) return false;
  for (size_t i = 0; i < extension.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(name[name.size() - extension.size() + i])) != extension[i]) {
      return false;
    }
  }
  return true;
}

bool FoldOne(IFileSystem& files, const std::string& folder, char separator, const std::string& name, int year,
             int month, int days, FoldedCopy& folded) {
  char monthPath[kPathSize];
  const std::string copyPath = folder + separator + name;
  if (copyPath.size() >= kPathSize) return false;
  if (!FormatMonthFilePathIn(monthPath, folder.c_str(), year, month, separator)) return false;
  FileSnapshot copy;
  FileSnapshot current;
  if (ReadFileSnapshot(files, copyPath.c_str(), copy) != SnapshotRead::kRead ||
      ReadFileSnapshot(files, monthPath, current) == SnapshotRead::kUnreadable) {
    return false;
  }
  if (AddCopyToMonth(files, monthPath, current, copy, days, folded.unplaced).outcome == MonthWriteOutcome::kFailed) {
    return false;
  }
  folded.year = year;
  folded.month = month;
  return KeepInRecovered(
      files, monthPath, name.c_str(), [&](const char* target) { return files.Move(copyPath.c_str(), target); },
      folded.keptPath);
}

}  // namespace

bool ParseConflictCopyName(const std::string& name, int& year, int& month) {
  constexpr size_t kStemLength = sizeof kStemStart - 1;
  if (name.compare(0, kStemLength, kStemStart) != 0 || !EndsWithExtension(name, kExtension)) return false;
  size_t at = kStemLength;
  size_t yearDigits = 0;
  while (at + yearDigits < name.size() && std::isdigit(static_cast<unsigned char>(name[at + yearDigits]))) {
    ++yearDigits;
  }
  if (yearDigits == 0 || yearDigits > 5 || name[at + yearDigits] != '_' || !AllDigits(name, at + yearDigits + 1, 2)) {
    return false;
  }
  const int parsedYear = std::stoi(name.substr(at, yearDigits));
  const int parsedMonth = std::stoi(name.substr(at + yearDigits + 1, 2));
  if (parsedMonth < 1 || parsedMonth > 12 || parsedYear < 1) return false;
  const size_t suffixStart = at + yearDigits + 3;
  const std::string suffix = name.substr(suffixStart, name.size() - (sizeof kExtension - 1) - suffixStart);
  if (!IsSyncClientSuffix(suffix)) return false;
  year = parsedYear;
  month = parsedMonth;
  return true;
}

bool IsConflictCopyOf(const std::string& name, const std::string& stem, const std::string& extension) {
  if (name.size() <= stem.size() + extension.size() || name.compare(0, stem.size(), stem) != 0 ||
      !EndsWithExtension(name, extension)) {
    return false;
  }
  return IsSyncClientSuffix(name.substr(stem.size(), name.size() - stem.size() - extension.size()));
}

std::vector<FoldedCopy> FoldConflictCopies(IFileSystem& files, const std::string& folder, char separator,
                                           const std::function<int(int year, int month)>& daysInMonth) {
  std::vector<FoldedCopy> foldedCopies;
  std::vector<std::string> names;
  if (!files.ListFolder(folder.c_str(), names)) return foldedCopies;
  for (const std::string& name : names) {
    int year = 0;
    int month = 0;
    if (!ParseConflictCopyName(name, year, month)) continue;
    FoldedCopy folded;
    if (FoldOne(files, folder, separator, name, year, month, daysInMonth(year, month), folded)) {
      foldedCopies.push_back(folded);
    }
  }
  return foldedCopies;
}
