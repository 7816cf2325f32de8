#include "export/MonthFileList.h"

#include <algorithm>
#include <system_error>

namespace {

constexpr std::string_view kPrefix = "schedule";
constexpr std::string_view kSuffix = ".dat";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool ParseMonthFileName(std::string_view name, int& year, int& month) {
  if (name.size() < kPrefix.size() + kSuffix.size() || name.substr(0, kPrefix.size()) != kPrefix ||
      name.substr(name.size() - kSuffix.size()) != kSuffix) {
    return false;
  }
  std::string_view middle = name.substr(kPrefix.size(), name.size() - kPrefix.size() - kSuffix.size());
  size_t underscore = middle.find('_');
  if (underscore == std::string_view::npos) return false;
  std::string_view yearText = middle.substr(0, underscore);
  std::string_view monthText = middle.substr(underscore + 1);
  if (yearText.empty() || yearText.size() > 4 || yearText[0] == '0') return false;
  if (monthText.size() != 2) return false;
  if (!std::all_of(yearText.begin(), yearText.end(), IsDigit) ||
      !std::all_of(monthText.begin(), monthText.end(), IsDigit)) {
    return false;
  }
  int parsedYear = 0;
  for (char c : yearText) parsedYear = parsedYear * 10 + (c - '0');
  int parsedMonth = (monthText[0] - '0') * 10 + (monthText[1] - '0');
  if (parsedMonth < 1 || parsedMonth > 12) return false;
  year = parsedYear;
  month = parsedMonth;
  return true;
}

bool ListMonthFiles(const std::filesystem::path& folder, std::vector<MonthFileEntry>& files, std::string& error) {
  std::error_code failure;
  std::filesystem::directory_iterator entries(folder, failure);
  for (; !failure && entries != std::filesystem::directory_iterator(); entries.increment(failure)) {
    int year = 0;
    int month = 0;
    // u8string: a folder may hold names that the narrow code page cannot spell.
    if (!ParseMonthFileName(entries->path().filename().u8string(), year, month)) continue;
    if (!entries->is_regular_file(failure) || failure) {
      failure.clear();
      continue;
    }
    files.push_back({year, month, entries->path()});
  }
  if (failure) {
    error = failure.message();
    return false;
  }
  std::sort(files.begin(), files.end(), [](const MonthFileEntry& a, const MonthFileEntry& b) {
    return a.year != b.year ? a.year < b.year : a.month < b.month;
  });
  return true;
}
