#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <string>

#include "FaultyFileSystem.h"
#include "MonthFileScratch.h"
#include "data/MonthFileWriter.h"

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

const int kDays = kDaysInTable;
int Days() { return kDays; }

TEST(MonthFileFaultTest, FullRecordHasTheLongestSize) {
  char record[kMaxRecordSize + 1];
  EXPECT_EQ(kMaxRecordSize, FormatDayRecord(FullMonth().Day(31), 31, record));
}

constexpr int kAlways = CFaultyFileSystem::kAlways;
constexpr auto kReplaced = MonthWriteOutcome::kReplaced;
constexpr auto kInPlace = MonthWriteOutcome::kRewrittenInPlace;
constexpr auto kFailed = MonthWriteOutcome::kFailed;

// kCut: other bytes than the old or the new month.
enum Content { kOld, kNew, kCut, kNone };

struct SaveCase {
  const char* fault;  // the step that fails always, "" none
  int refusedReplacements;
  MonthWriteOutcome outcome;
  Content file;
  Content temporary;
};

// A crash left a temporary file behind, then the save meets a fault of the
// file layer: the old or the new month stays whole in every case, and
// only a failure is told.
const SaveCase kSaveCases[] = {
    {"", 0, kReplaced, kNew, kNone},
    {"", 2, kReplaced, kNew, kNone},
    {"", kAlways, kInPlace, kNew, kNone},
    {"create-hidden", 0, kFailed, kOld, kCut},
    {"write-hidden", 0, kFailed, kOld, kNone},
    {"flush-hidden", 0, kFailed, kOld, kNone},
    {"open-in-place", kAlways, kFailed, kOld, kNone},
    {"truncate", kAlways, kFailed, kOld, kNew},
    {"write-in-place", kAlways, kFailed, kCut, kNew},
    {"flush-in-place", kAlways, kFailed, kNew, kNew},
    {"remove", kAlways, kInPlace, kNew, kNew},
};

Content ContentOf(const std::string& path, const std::string& old, const std::string& fresh) {
  if (!std::filesystem::exists(path)) return kNone;
  std::string bytes = CMonthFileScratch::ReadAll(path);
  return bytes == old ? kOld : bytes == fresh ? kNew : kCut;
}

TEST(MonthFileFaultTest, EverySaveFaultLeavesTheOldOrTheNewMonthWhole) {
  CMonthFileScratch scratch;
  ASSERT_TRUE(scratch.Ok());
  const std::string path = scratch.Path("schedule2010_03.dat");
  const std::string temporary = scratch.Path("schedule2010_03.da~");
  const std::string old = "QL3\n01,6,0,0,0,old,,,,,,\n";
  const MonthTable table = FullMonth();
  const std::string fresh = FormatMonthFile(table, Days);
  for (const SaveCase& c : kSaveCases) {
    SCOPED_TRACE(std::string(c.fault) + " after refusals: " + std::to_string(c.refusedReplacements));
    CMonthFileScratch::WriteAll(path, old);
    CMonthFileScratch::WriteAll(temporary, "QL3\n01,0,0,0,0,x");
    CFaultyFileSystem files;
    files.Fail(c.fault);
    files.Fail("replace", c.refusedReplacements);
    EXPECT_EQ(c.outcome, WriteMonthFileThrough(files, path.c_str(), table, Days));
    EXPECT_EQ(c.file, ContentOf(path, old, fresh));
    EXPECT_EQ(c.temporary, ContentOf(temporary, old, fresh));
    EXPECT_LE(files.PausedMs(), 500u) << "a refused replacement is tried again briefly";
  }
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
