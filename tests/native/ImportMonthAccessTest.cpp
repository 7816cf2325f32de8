#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "MonthFileScratch.h"
#include "data/FileSystem.h"
#include "data/MonthFile.h"
#include "data/MonthFileWriter.h"
#include "import/MonthFileAccess.h"

namespace {

// The schedule window saves the month while the import works on it: the
// import's write takes in the window's line instead of writing over it.
TEST(ImportMonthAccessTest, AMonthSavedMeanwhileIsMergedWithNotWrittenOver) {
  CMonthFileScratch scratch;
  const std::string path = MonthFilePathIn(scratch.Path("").substr(0, scratch.Path("").size() - 1), 2026, 12);
  MonthTable window = {};
  SetDayLine(window.Day(8), 0, "before");
  ASSERT_EQ(1, WriteMonthFile(window, path.c_str(), [] { return 31; }));

  MonthTable table;
  FileSnapshot base;
  std::string reason;
  ASSERT_EQ(MonthRead::kRead, ReadMonthForChange(SystemFileSystem(), path, 2026, 12, table, base, reason));
  SetDayLine(table.Day(24), 0, "imported");
  SetDayLine(window.Day(8), 1, "typed meanwhile");
  ASSERT_EQ(1, WriteMonthFile(window, path.c_str(), [] { return 31; }));

  std::string kept;
  ASSERT_TRUE(WriteChangedMonth(SystemFileSystem(), path, 2026, 12, base, table, kept));
  EXPECT_EQ("", kept);
  MonthTable file;
  ReadMonthFile(file, path.c_str());
  EXPECT_STREQ("typed meanwhile", file.Day(8).szLine[1]);
  EXPECT_STREQ("imported", file.Day(24).szLine[0]);
}

}  // namespace
