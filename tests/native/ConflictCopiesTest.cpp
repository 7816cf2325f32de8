#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "FaultyFileSystem.h"
#include "MonthFileScratch.h"
#include "data/ConflictCopies.h"
#include "data/MonthFile.h"
#include "data/MonthFileWriter.h"

namespace {

struct NameCase {
  const char* name;
  bool copy;
};

TEST(ConflictCopiesTest, OnlyTheNamesSyncClientsGiveAreConflictCopies) {
  const NameCase cases[] = {
      {"schedule2026_12.sync-conflict-20261209-101500-ABCDEFG.dat", true},
      {"schedule2026_12 (NAME's conflicted copy 2026-12-09).dat", true},
      {"schedule2026_12 (Hanako の競合コピー 2026-12-09).dat", true},
      {"schedule2026_12 (conflicted copy 2026-12-09 101500).dat", true},
      {"schedule2026_12-OFFICE-PC.dat", true},
      {"schedule2026_12.dat", false},
      {"schedule2026_12 - コピー.dat", false},
      {"schedule2026_12 (2).dat", false},
      {"schedule2026_13.sync-conflict-20261209-101500-ABCDEFG.dat", false},
      {"schedule2026_12.sync-conflict-2026129-101500-ABCDEFG.dat", false},
      {"schedule2026_12.sync-conflict-20261209-101500-ABCDEFG.txt", false},
      {"schedule2026_12-ノート.dat", false},
      {"notes2026_12-PC.dat", false},
  };
  for (const NameCase& c : cases) {
    int year = 0;
    int month = 0;
    EXPECT_EQ(c.copy, ParseConflictCopyName(c.name, year, month)) << c.name;
    if (c.copy) {
      EXPECT_EQ(202612, year * 100 + month) << c.name;
    }
  }
}

std::string MonthWith(int day, const char* line) {
  MonthTable table = {};
  SetDayLine(table.Day(day), 0, line);
  return FormatMonthFile(table, [] { return 31; });
}

MonthTable Parsed(const std::string& bytes) {
  MonthTable table;
  ParseMonthBytes(table, bytes.data(), bytes.size());
  return table;
}

// Each client's copy adds its day to the month and moves into the recovered
// folder; a copy a user made stays; a copy of a month with no file makes it.
TEST(ConflictCopiesTest, EachCopyIsFoldedIntoItsMonthAndMovedAside) {
  CMonthFileScratch scratch;
  CMonthFileScratch::WriteAll(scratch.Path("schedule2026_12.dat"), MonthWith(8, "here"));
  CMonthFileScratch::WriteAll(scratch.Path("schedule2026_12.sync-conflict-20261209-101500-ABCDEFG.dat"),
                              MonthWith(20, "there"));
  CMonthFileScratch::WriteAll(scratch.Path("schedule2026_12-OFFICE.dat"), MonthWith(8, "here"));
  CMonthFileScratch::WriteAll(scratch.Path("schedule2026_12 - コピー.dat"), MonthWith(9, "mine"));
  CMonthFileScratch::WriteAll(scratch.Path("schedule2027_01 (conflicted copy 2026-12-09 101500).dat"),
                              MonthWith(2, "new year"));
  CFaultyFileSystem files;
  const std::string folder = scratch.Path("").substr(0, scratch.Path("").size() - 1);
  const auto days = [](int, int) { return 31; };
  const auto folded = FoldConflictCopies(files, folder, '/', days);
  EXPECT_EQ(3u, folded.size());
  const MonthTable december = Parsed(CMonthFileScratch::ReadAll(scratch.Path("schedule2026_12.dat")));
  EXPECT_STREQ("here", december.Day(8).szLine[0]);
  EXPECT_STREQ("", december.Day(8).szLine[1]);
  EXPECT_STREQ("there", december.Day(20).szLine[0]);
  EXPECT_STREQ("new year", Parsed(CMonthFileScratch::ReadAll(scratch.Path("schedule2027_01.dat"))).Day(2).szLine[0]);
  EXPECT_TRUE(std::filesystem::exists(scratch.Path("schedule2026_12 - コピー.dat")));
  EXPECT_TRUE(std::filesystem::exists(scratch.Path("recovered/schedule2026_12-OFFICE.dat")));
  EXPECT_FALSE(std::filesystem::exists(scratch.Path("schedule2026_12-OFFICE.dat")));

  // A copy that cannot be read now is folded later.
  CMonthFileScratch::WriteAll(scratch.Path("schedule2026_12-HOME.dat"), MonthWith(21, "later"));
  files.Fail("open-read");
  EXPECT_TRUE(FoldConflictCopies(files, folder, '/', days).empty());
  EXPECT_TRUE(std::filesystem::exists(scratch.Path("schedule2026_12-HOME.dat")));
}

}  // namespace
