#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "FaultyFileSystem.h"
#include "MonthFileScratch.h"
#include "data/MonthFile.h"
#include "data/MonthFileRecovery.h"
#include "data/MonthFileWriter.h"

namespace {

constexpr int kDays = 31;

std::string WholeMonth(const char* line, int day = 5) {
  MonthTable table = {};
  SetDayLine(table.Day(day), 0, line);
  return FormatMonthFile(table, [] { return kDays; });
}

FileSnapshot Snapshot(const std::string& bytes, uint64_t written, bool timeKnown = true) {
  FileSnapshot snapshot;
  snapshot.present = true;
  snapshot.bytes = bytes;
  snapshot.timeKnown = timeKnown;
  snapshot.written = written;
  return snapshot;
}

struct JudgeCase {
  const char* what;
  FileSnapshot copy;
  FileSnapshot month;
  CopyVerdict verdict;
};

TEST(MonthFileRecoveryTest, ACopyIsPutInPlaceOnlyWhenItHoldsTheNewerMonth) {
  const std::string copy = WholeMonth("newer");
  const std::string other = WholeMonth("other");
  const JudgeCase cases[] = {
      {"whole copy, no month file", Snapshot(copy, 1), FileSnapshot(), CopyVerdict::kRestore},
      {"the month file holds the same", Snapshot(copy, 1), Snapshot(copy, 2), CopyVerdict::kRemove},
      {"a rewrite cut the month file short", Snapshot(copy, 1), Snapshot(copy.substr(0, 300), 2),
       CopyVerdict::kRestore},
      {"the month file cut to nothing", Snapshot(copy, 1), Snapshot("", 2), CopyVerdict::kRestore},
      {"a crash before the replacement", Snapshot(copy, 2), Snapshot(other, 1), CopyVerdict::kRestore},
      {"the month file written after the copy", Snapshot(copy, 1), Snapshot(other, 2), CopyVerdict::kKeepAside},
      {"no times to compare", Snapshot(copy, 2, false), Snapshot(other, 1), CopyVerdict::kKeepAside},
      {"another program's cut month file", Snapshot(copy, 1), Snapshot(other.substr(0, 300), 2),
       CopyVerdict::kKeepAside},
      {"a save cut short, the month file whole", Snapshot(copy.substr(0, 300), 2), Snapshot(other, 1),
       CopyVerdict::kRemove},
      {"a save cut short, no month file", Snapshot(copy.substr(0, 300), 2), FileSnapshot(), CopyVerdict::kKeepAside},
      {"a save cut short, the month file cut too", Snapshot(copy.substr(0, 300), 2), Snapshot(other.substr(0, 200), 1),
       CopyVerdict::kKeepAside},
      {"an empty copy", Snapshot("", 2), FileSnapshot(), CopyVerdict::kRemove},
      {"a copy of no day", Snapshot("QL3\n01,0,0,0,0,,,,,,,\n", 2), FileSnapshot(), CopyVerdict::kRemove},
      {"each holds a day the other lacks", Snapshot(copy, 1), Snapshot(WholeMonth("there", 6), 2), CopyVerdict::kMerge},
  };
  for (const JudgeCase& c : cases) {
    EXPECT_EQ(c.verdict, JudgeLeftCopy(c.copy, c.month, kDays)) << c.what;
  }
}

class MonthFileSettleTest : public ::testing::Test {
 protected:
  void SetUp() override { std::filesystem::create_directory(m_scratch.Path("~saving")); }
  void Put(const std::string& name, const std::string& bytes, int ageSeconds) const {
    CMonthFileScratch::WriteAll(m_scratch.Path(name), bytes);
    std::filesystem::last_write_time(m_scratch.Path(name),
                                     std::filesystem::file_time_type::clock::now() - std::chrono::seconds(ageSeconds));
  }
  MonthRecovery Settle(IFileSystem& files) const { return SettleInterruptedSave(files, m_path.c_str(), kDays); }

  CMonthFileScratch m_scratch;
  const std::string m_path = m_scratch.Path("schedule2010_03.dat");
};

// What a rewrite in place that failed part-way leaves, and what a crash of
// an earlier version left hidden beside the month: each copy is the month
// file afterwards, and nothing is left over.
TEST_F(MonthFileSettleTest, AFinishedCopyBesideACutMonthFileIsRestored) {
  const std::string copy = WholeMonth("typed");
  for (const char* left : {"~saving/schedule2010_03.dat", "schedule2010_03.da~"}) {
    SCOPED_TRACE(left);
    Put(left, copy, 60);
    Put("schedule2010_03.dat", copy.substr(0, 123), 10);
    CFaultyFileSystem files;
    EXPECT_EQ(CopySettlement::kRestored, Settle(files).settlement);
    EXPECT_EQ(copy, CMonthFileScratch::ReadAll(m_path));
    EXPECT_EQ(std::vector<std::string>{"schedule2010_03.dat"}, m_scratch.Names());
    EXPECT_EQ(CopySettlement::kNone, Settle(files).settlement);
  }
}

// A month file written after the copy by someone else: both are kept, the
// copy where the user is told to find it, under a name of its own each time.
TEST_F(MonthFileSettleTest, ACopyThatMayBeOlderIsKeptAsideUnderANewName) {
  const std::string month = WholeMonth("synced from elsewhere");
  for (const char* kept : {"recovered/schedule2010_03.dat", "recovered/schedule2010_03 (2).dat"}) {
    Put("schedule2010_03.dat", month, 10);
    Put("~saving/schedule2010_03.dat", WholeMonth("typed"), 60);
    CFaultyFileSystem files;
    MonthRecovery recovery = Settle(files);
    EXPECT_EQ(CopySettlement::kKeptAside, recovery.settlement);
    EXPECT_EQ(m_scratch.Path(kept), recovery.keptPath);
    EXPECT_EQ(WholeMonth("typed"), CMonthFileScratch::ReadAll(m_scratch.Path(kept)));
    EXPECT_EQ(month, CMonthFileScratch::ReadAll(m_path));
  }
}

// A copy that came with the synced folder from the other PC holds a day,
// the month file another: the month file gets both, and the copy goes.
TEST_F(MonthFileSettleTest, ACopyHoldingADayTheMonthFileLacksIsMergedIntoIt) {
  Put("schedule2010_03.dat", WholeMonth("here", 6), 10);
  Put("~saving/schedule2010_03.dat", WholeMonth("typed there"), 60);
  CFaultyFileSystem files;
  EXPECT_EQ(CopySettlement::kMerged, Settle(files).settlement);
  MonthTable table;
  ParseMonthBytes(table, CMonthFileScratch::ReadAll(m_path).data(), CMonthFileScratch::ReadAll(m_path).size());
  EXPECT_STREQ("typed there", table.Day(5).szLine[0]);
  EXPECT_STREQ("here", table.Day(6).szLine[0]);
  EXPECT_EQ(std::vector<std::string>{"schedule2010_03.dat"}, m_scratch.Names());
}

// A copy or a month file that cannot be read, and a copy that cannot be
// moved, leave both files as they were.
TEST_F(MonthFileSettleTest, WhatCannotBeReadOrMovedIsLeftAsItWas) {
  const std::string copy = WholeMonth("typed");
  for (const char* fault : {"open-read", "replace", "move"}) {
    SCOPED_TRACE(fault);
    Put("schedule2010_03.dat", fault == std::string("move") ? WholeMonth("later") : copy.substr(0, 50), 10);
    Put("~saving/schedule2010_03.dat", copy, 60);
    const std::string before = CMonthFileScratch::ReadAll(m_path);
    CFaultyFileSystem files;
    files.Fail(fault);
    files.Fail("open-in-place");
    EXPECT_EQ(CopySettlement::kUnsettled, Settle(files).settlement);
    EXPECT_EQ(before, CMonthFileScratch::ReadAll(m_path));
    EXPECT_EQ(copy, CMonthFileScratch::ReadAll(m_scratch.Path("~saving/schedule2010_03.dat")));
  }
}

}  // namespace
