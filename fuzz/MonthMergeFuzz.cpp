// Three months from any bytes merge without a fault, with and without a
// base: the merged texts stay terminated and within their fields, every
// seal comes from one of the sides, and merging a month with itself
// changes nothing. The bytes as a file name never fault the copy names.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "data/ConflictCopies.h"
#include "data/MonthFile.h"
#include "data/MonthMerge.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

bool Terminated(const char* field, size_t size) { return std::memchr(field, '\0', size) != nullptr; }

bool SealOf(const DayRecord& day, SealCode code) {
  for (SealCode seal : day.nSeal) {
    if (seal == code) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const char* bytes = reinterpret_cast<const char*>(data);
  int year = 0;
  int month = 0;
  if (ParseConflictCopyName(std::string(bytes, size), year, month)) Check(month >= 1 && month <= 12 && year >= 1);

  static MonthTable base, ours, theirs;
  const size_t third = size / 3;
  ParseMonthBytes(base, bytes, third);
  ParseMonthBytes(ours, bytes + third, third);
  ParseMonthBytes(theirs, bytes + 2 * third, size - 2 * third);
  const int days = size > 0 ? data[0] % 33 : 31;
  const MonthTable* const bases[] = {&base, nullptr};
  for (const MonthTable* withBase : bases) {
    static MonthMergeResult result;
    result = MergeMonths(withBase, ours, theirs, days);
    for (int d = 1; d <= kDaysInTable; ++d) {
      const DayRecord& day = result.merged.Day(d);
      for (const auto& line : day.szLine) Check(Terminated(line, kLineSize));
      Check(Terminated(day.szMemo, kMemoSize));
      for (SealCode seal : day.nSeal) {
        Check(seal == 0 || SealOf(ours.Day(d), seal) || SealOf(theirs.Day(d), seal) ||
              (withBase != nullptr && SealOf(base.Day(d), seal)));
      }
    }
  }
  static MonthMergeResult same;
  same = MergeMonths(&ours, ours, ours, days);
  Check(ChangedDays(same.merged, ours, days) == 0 && same.unplaced == 0);
  return 0;
}
