#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

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

using Faults = std::vector<std::pair<const char*, int>>;
constexpr int kAlways = CFaultyFileSystem::kAlways;

enum class Content { kOld, kNew, kCut, kNone };

struct SaveCase {
  const char* name;
  Faults faults;
  MonthWriteOutcome outcome;
  Content file;
  Content temporary;
};

// The save against every fault of the file layer: the old or the new
// month stays whole somewhere in every case, and only a failure is told.
const SaveCase kSaveCases[] = {
    {"plain", {}, MonthWriteOutcome::kReplaced, Content::kNew, Content::kNone},
    {"staleTemporary", {}, MonthWriteOutcome::kReplaced, Content::kNew, Content::kNone},
    {"replaceRefusedBriefly", {{"replace", 2}}, MonthWriteOutcome::kReplaced, Content::kNew, Content::kNone},
    {"replaceRefused", {{"replace", kAlways}}, MonthWriteOutcome::kRewrittenInPlace, Content::kNew, Content::kNone},
    {"createHidden", {{"create-hidden", kAlways}}, MonthWriteOutcome::kFailed, Content::kOld, Content::kNone},
    {"writeHidden", {{"write-hidden", kAlways}}, MonthWriteOutcome::kFailed, Content::kOld, Content::kNone},
    {"flushHidden", {{"flush-hidden", kAlways}}, MonthWriteOutcome::kFailed, Content::kOld, Content::kNone},
    {"openInPlace",
     {{"replace", kAlways}, {"open-in-place", kAlways}},
     MonthWriteOutcome::kFailed,
     Content::kOld,
     Content::kNone},
    {"truncate", {{"replace", kAlways}, {"truncate", kAlways}}, MonthWriteOutcome::kFailed, Content::kOld, Content::kNew},
    {"writeInPlace",
     {{"replace", kAlways}, {"write-in-place", kAlways}},
     MonthWriteOutcome::kFailed,
     Content::kCut,
     Content::kNew},
    {"flushInPlace",
     {{"replace", kAlways}, {"flush-in-place", kAlways}},
     MonthWriteOutcome::kFailed,
     Content::kNew,
     Content::kNew},
    {"removeAfterRewrite",
     {{"replace", kAlways}, {"remove", kAlways}},
     MonthWriteOutcome::kRewrittenInPlace,
     Content::kNew,
     Content::kNew},
};

Content ContentOf(const std::string& path, const std::string& old, const std::string& fresh) {
  if (!std::filesystem::exists(path)) return Content::kNone;
  std::string bytes = CMonthFileScratch::ReadAll(path);
  return bytes == old ? Content::kOld : bytes == fresh ? Content::kNew : Content::kCut;
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
    CMonthFileScratch::WriteAll(path, old);
    std::filesystem::remove(temporary);
    if (std::string(c.name) == "staleTemporary") CMonthFileScratch::WriteAll(temporary, "QL3\n01,0,0,0,0,x");
    CFaultyFileSystem files;
    for (const auto& fault : c.faults) files.Fail(fault.first, fault.second);
    EXPECT_EQ(c.outcome, WriteMonthFileThrough(files, path.c_str(), table, Days)) << c.name;
    EXPECT_EQ(c.file, ContentOf(path, old, fresh)) << c.name;
    EXPECT_EQ(c.temporary, ContentOf(temporary, old, fresh)) << c.name;
    // Refused replacements are tried again, briefly.
    EXPECT_LE(files.PausedMs(), 500u) << c.name;
  }
}

struct ReadCase {
  const char* name;
  bool fileThere;
  Faults faults;
  MonthReadOutcome outcome;
  bool entriesRead;
  unsigned pausedMs;
};

// The first block of the file is read before a failing read: the month's
// days 1 and 2 would be there, half a month.
const ReadCase kReadCases[] = {
    {"read", true, {}, MonthReadOutcome::kRead, true, 0},
    {"absent", false, {}, MonthReadOutcome::kAbsent, false, 0},
    {"refusedTwice", true, {{"open-read", 2}}, MonthReadOutcome::kRead, true, 150},
    {"refused", true, {{"open-read", kAlways}}, MonthReadOutcome::kUnreadable, false, 1000},
    {"failsHalfwayOnce", true, {{"read", 1}}, MonthReadOutcome::kRead, true, 50},
    {"failsHalfway", true, {{"read", kAlways}}, MonthReadOutcome::kUnreadable, false, 1000},
};

TEST(MonthFileFaultTest, AFileThatCannotBeReadIsTriedForASecondAndNeverReadAsEmpty) {
  CMonthFileScratch scratch;
  ASSERT_TRUE(scratch.Ok());
  const std::string path = scratch.Path("schedule2010_03.dat");
  const MonthTable full = FullMonth();
  for (const ReadCase& c : kReadCases) {
    std::filesystem::remove(path);
    if (c.fileThere) {
      ASSERT_EQ(1, WriteMonthFile(full, path.c_str(), Days));
    }
    CFaultyFileSystem files;
    files.SetReadsBeforeFailure(1);
    for (const auto& fault : c.faults) files.Fail(fault.first, fault.second);
    MonthTable table;
    std::memset(&table, 0x5A, sizeof table);
    EXPECT_EQ(c.outcome, ReadMonthFileRetrying(files, path.c_str(), table)) << c.name;
    MonthTable empty;
    ClearMonth(empty);
    EXPECT_EQ(0, std::memcmp(c.entriesRead ? &full : &empty, &table, sizeof table)) << c.name;
    EXPECT_EQ(c.pausedMs, files.PausedMs()) << c.name;
    EXPECT_EQ(c.fileThere, std::filesystem::exists(path)) << c.name;
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
