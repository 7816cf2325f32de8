#include <gtest/gtest.h>

#include <climits>
#include <cstring>
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

// kCut: other bytes than the old, the new or the kept month.
enum Content { kOld, kNew, kKept, kCut, kNone };

struct SaveCase {
  const char* fault;  // the step that fails always, "" none
  int refusedReplacements;
  bool copyKept;  // an earlier rewrite that failed left its finished copy
  MonthWriteOutcome outcome;
  Content file;
  Content temporary;
};

// The save meets a fault of the file layer: the old or the new month stays
// whole in every case, only a failure is told, and a copy an earlier
// rewrite kept is never emptied before the month file holds a newer one.
const SaveCase kSaveCases[] = {
    {"", 0, false, kReplaced, kNew, kNone},
    {"", 2, false, kReplaced, kNew, kNone},
    {"", kAlways, false, kInPlace, kNew, kNone},
    {"make-folder", 0, false, kFailed, kOld, kNone},
    {"create-new", 0, false, kFailed, kOld, kNone},
    {"write-new", 0, false, kFailed, kOld, kNone},
    {"flush-new", 0, false, kFailed, kOld, kNone},
    {"open-in-place", kAlways, false, kFailed, kOld, kNone},
    {"truncate", kAlways, false, kFailed, kOld, kNew},
    {"write-in-place", kAlways, false, kFailed, kCut, kNew},
    {"flush-in-place", kAlways, false, kFailed, kNew, kNew},
    {"remove", kAlways, false, kInPlace, kNew, kNew},
    {"", 0, true, kInPlace, kNew, kNone},
    {"open-in-place", 0, true, kFailed, kOld, kKept},
    {"write-in-place", 0, true, kFailed, kCut, kKept},
};

TEST(MonthFileFaultTest, EverySaveFaultLeavesTheOldOrTheNewMonthWhole) {
  CMonthFileScratch scratch;
  ASSERT_TRUE(scratch.Ok());
  const std::string path = scratch.Path("schedule2010_03.dat");
  const std::string folder = scratch.Path("~saving");
  const std::string temporary = folder + "/schedule2010_03.dat";
  const std::string old = "QL3\n01,6,0,0,0,old,,,,,,\n";
  const std::string kept = "QL3\n01,7,0,0,0,kept,,,,,,\n";
  const MonthTable table = FullMonth();
  const std::string fresh = FormatMonthFile(table, Days);
  auto contentOf = [&](const std::string& file) {
    if (!std::filesystem::exists(file)) return kNone;
    std::string bytes = CMonthFileScratch::ReadAll(file);
    return bytes == old ? kOld : bytes == fresh ? kNew : bytes == kept ? kKept : kCut;
  };
  for (const SaveCase& c : kSaveCases) {
    SCOPED_TRACE(std::string(c.fault) + " after refusals: " + std::to_string(c.refusedReplacements) +
                 (c.copyKept ? " with a kept copy" : ""));
    std::filesystem::remove_all(folder);
    CMonthFileScratch::WriteAll(path, old);
    if (c.copyKept) {
      std::filesystem::create_directory(folder);
      CMonthFileScratch::WriteAll(temporary, kept);
    }
    CFaultyFileSystem files;
    files.Fail(c.fault);
    files.Fail("replace", c.refusedReplacements);
    EXPECT_EQ(c.outcome, WriteMonthFileThrough(files, path.c_str(), table, Days));
    EXPECT_EQ(c.file, contentOf(path));
    EXPECT_EQ(c.temporary, contentOf(temporary));
    EXPECT_LE(files.PausedMs(), 500u) << "a refused replacement is tried again briefly";
  }
}

struct TemporaryCase {
  const char* path;
  bool made;
  const char* temporary;
  const char* legacy;
};

const TemporaryCase kTemporaryCases[] = {
    {"d/schedule2010_03.dat", true, "d/~saving/schedule2010_03.dat", "d/schedule2010_03.da~"},
    {"C:\\b\x95\\\\schedule2010_03.dat", true, "C:\\b\x95\\\\~saving\\schedule2010_03.dat",
     "C:\\b\x95\\\\schedule2010_03.da~"},
    {"d/odd~", true, "d/~saving/odd~", "d/odd_"},
    {"x", false, "", "~"},
    {"d/", false, "", "d~"},
};

// The temporary file lies in the saving folder beside the month file, with
// the path's own separator; a path without a folder has none.
TEST(MonthFileFaultTest, TemporaryPathIsInTheSavingFolder) {
  for (const TemporaryCase& c : kTemporaryCases) {
    char temporary[kPathSize] = {};
    char folder[kPathSize] = {};
    EXPECT_EQ(c.made, MakeTemporaryPath(c.path, temporary, folder)) << c.path;
    EXPECT_STREQ(c.temporary, temporary) << c.path;
    char legacy[kPathSize] = {};
    EXPECT_TRUE(MakeLegacyTemporaryPath(c.path, legacy));
    EXPECT_STREQ(c.legacy, legacy) << c.path;
  }
  char temporary[kPathSize];
  char folder[kPathSize];
  const std::string fits = std::string(kPathSize - 1 - std::strlen("~saving/") - std::strlen("/name"), 'p') + "/name";
  EXPECT_TRUE(MakeTemporaryPath(fits.c_str(), temporary, folder));
  EXPECT_EQ(kPathSize - 1, std::string(temporary).size());
  const std::string tooLong = "p" + fits;
  EXPECT_FALSE(MakeTemporaryPath(tooLong.c_str(), temporary, folder));
  EXPECT_STREQ("", temporary);
}

}  // namespace
