#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "data/MonthFileWriter.h"
#include "MonthFileScratch.h"

namespace {

// Every code at its longest, every text at its limit and every byte escaped.
MonthTable FullMonth() {
  MonthTable table;
  ClearMonth(table);
  for (DayRecord& day : table.days) {
    for (SealCode& code : day.nSeal) code = INT_MIN;
    for (int line = 0; line < kLineCount; ++line) SetDayLine(day, line, std::string(200, ',').c_str());
    SetDayMemo(day, std::string(300, '\\').c_str());
  }
  return table;
}

TEST(MonthFileFaultTest, FullRecordHasTheLongestSize) {
  char record[kMaxRecordSize + 1];
  EXPECT_EQ(kMaxRecordSize, FormatDayRecord(FullMonth().Day(31), 31, record));
}

// A write that fails at any byte leaves the old file as it was.
TEST(MonthFileFaultTest, AFailedWriteAtEveryOffsetKeepsTheOldFile) {
  CMonthFileScratch scratch;
  ASSERT_TRUE(scratch.Ok());
  const std::string path = scratch.Path("schedule2010_03.dat");
  const std::string old = "QL3\n01,6,0,0,0,old,,,,,,\n";
  CMonthFileScratch::WriteAll(path, old);
  const MonthTable table = FullMonth();
  const size_t fullSize = 4 + kDaysInTable * kMaxRecordSize;
  auto days = [] { return kDaysInTable; };
  char temporary[kPathSize];
  ASSERT_TRUE(MakeTemporaryPath(path.c_str(), temporary));

  // Every byte of the header and the first two records, then the first,
  // second, middle and last byte of every later record: past the second
  // record only the failing call's index changes, and 57,000 runs take
  // seconds under the sanitizers.
  std::vector<size_t> offsets;
  const size_t firstRecords = 4 + 2 * kMaxRecordSize;
  for (size_t offset = 0; offset < firstRecords; ++offset) offsets.push_back(offset);
  for (size_t start = firstRecords; start < fullSize; start += kMaxRecordSize) {
    for (size_t within : {size_t{0}, size_t{1}, kMaxRecordSize / 2, kMaxRecordSize - 1}) {
      offsets.push_back(start + within);
    }
  }
  ASSERT_EQ(fullSize - 1, offsets.back());

  for (size_t failAt : offsets) {
    // The failing write puts out its bytes up to failAt, then reports failure.
    size_t total = 0;
    auto failing = [&](std::FILE* file, const char* bytes, size_t size) {
      size_t allowed = failAt - total;
      size_t put = std::fwrite(bytes, 1, size < allowed ? size : allowed, file);
      total += put;
      return put == size;
    };
    ASSERT_EQ(0, WriteMonthFileThrough(table, path.c_str(), days, failing)) << failAt;
    ASSERT_EQ(old, CMonthFileScratch::ReadAll(path)) << failAt;
    ASSERT_FALSE(std::filesystem::exists(temporary)) << failAt;
  }
  EXPECT_EQ(std::vector<std::string>{"schedule2010_03.dat"}, scratch.Names());

  size_t total = 0;
  auto counting = [&](std::FILE* file, const char* bytes, size_t size) {
    total += size;
    return std::fwrite(bytes, 1, size, file) == size;
  };
  ASSERT_EQ(1, WriteMonthFileThrough(table, path.c_str(), days, counting));
  EXPECT_EQ(fullSize, total);
  EXPECT_EQ(fullSize, CMonthFileScratch::ReadAll(path).size());
}

struct TemporaryCase {
  const char* path;
  bool made;
  const char* temporary;
};

const TemporaryCase kTemporaryCases[] = {
    {"d/schedule2010_03.dat", true, "d/schedule2010_03.da~"},
    {"d/odd~", true, "d/odd_"},
    {"x", true, "~"},
    {"", false, ""},
};

TEST(MonthFileFaultTest, TemporaryPathStaysInTheFolder) {
  for (const TemporaryCase& c : kTemporaryCases) {
    char temporary[kPathSize] = {};
    EXPECT_EQ(c.made, MakeTemporaryPath(c.path, temporary)) << c.path;
    EXPECT_STREQ(c.temporary, temporary) << c.path;
  }
  std::string longest(kPathSize - 1, 'p');
  char temporary[kPathSize];
  EXPECT_TRUE(MakeTemporaryPath(longest.c_str(), temporary));
  EXPECT_EQ(longest.substr(0, kPathSize - 2) + "~", temporary);
  std::string tooLong(kPathSize, 'p');
  EXPECT_FALSE(MakeTemporaryPath(tooLong.c_str(), temporary));
}

}  // namespace
