#include "import/MonthFileAccess.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "calendar/CalendarFacts.h"
#include "data/FileSystem.h"
#include "data/MonthFile.h"

namespace {

constexpr char kCurrentHeader[] = "QL3";

bool IsEmptyDay(const DayRecord& day) {
  static const DayRecord kEmpty{};
  return std::memcmp(&day, &kEmpty, sizeof day) == 0;
}

}  // namespace

std::string MonthFilePathIn(const std::string& folder, int year, int month) {
  char name[40];
  std::snprintf(name, sizeof name, "schedule%d_%02d.dat", year, month);
  // Always a separator of its own: a cp932 name may end in the trail byte 0x5C (表),
  // and a doubled separator is harmless. Windows takes / as well.
  std::string path = folder + '/';
  path += name;
  return path.size() < kPathSize ? path : std::string();
}

MonthRead ReadMonthForChange(const std::string& path, int year, int month, MonthTable& table, std::string& reason) {
  ClearMonth(table);
  errno = 0;
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(OpenFileForReading(path.c_str()), &std::fclose);
  if (!file) {
    if (errno == ENOENT) return MonthRead::kAbsent;
    reason = std::string("cannot be opened: ") + (errno != 0 ? std::strerror(errno) : "unknown reason");
    return MonthRead::kFailed;
  }
  std::string bytes;
  char block[4096];
  size_t got;
  while ((got = std::fread(block, 1, sizeof block, file.get())) > 0) bytes.append(block, got);
  if (std::ferror(file.get())) {
    reason = "cannot be read to its end";
    return MonthRead::kFailed;
  }
  bool current = bytes.compare(0, sizeof kCurrentHeader - 1, kCurrentHeader) == 0;
  if (current && bytes.back() != '\n') {
    reason = "ends inside a record";
    return MonthRead::kFailed;
  }
  ParseMonthBytes(table, bytes.data(), bytes.size());
  for (int day = DaysInMonth(year, month) + 1; day <= kDaysInTable; ++day) {
    if (!IsEmptyDay(table.Day(day))) {
      reason = "holds day " + std::to_string(day) + ", which the month does not have";
      return MonthRead::kFailed;
    }
  }
  return MonthRead::kRead;
}

bool WriteChangedMonth(const std::string& path, int year, int month, const MonthTable& table) {
  int days = DaysInMonth(year, month);
  return WriteMonthFile(table, path.c_str(), [days] { return days; }) == 1;
}
