// What the reminders take from the files: the lines of yesterday to
// tomorrow from the window's month or the month files, and what was
// dismissed, kept beside them as a set that two PCs' copies and the
// conflict copies of sync clients merge into without loss.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "FaultyFileSystem.h"
#include "MonthFileScratch.h"
#include "SearchTestSupport.h"
#include "calendar/DayNumber.h"
#include "data/ConflictCopies.h"
#include "data/MonthFile.h"
#include "export/BookExport.h"
#include "reminders/DismissedFile.h"
#include "reminders/ReminderFiles.h"
#include "reminders/ReminderWatch.h"
#include "search/ScheduleSearch.h"

namespace {

const int kToday = DayNumberOf(2026, 12, 31);
const std::string kHeader = "Plannix dismissed reminders 1\r\n";

ReminderOccurrence Occurrence(int day, int minute, uint64_t hash) { return {day, minute, hash}; }

std::string Entry(int day, int minute, uint64_t hash) {
  CDismissedSet one;
  one.Add(Occurrence(day, minute, hash));
  return one.Format().substr(kHeader.size());
}

class ReminderFilesTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(std::filesystem::create_directory(m_scratch.Path("Plannix"))); }

  std::string Folder() const { return m_scratch.Path("Plannix"); }
  std::string InFolder(const std::string& name) const { return Folder() + "/" + name; }
  std::string DismissedFile() const { return CMonthFileScratch::ReadAll(InFolder("reminders/dismissed.txt")); }
  // Into the reminders' folder, made where it is missing.
  void WriteDismissedBytes(const std::string& name, const std::string& bytes) const {
    std::filesystem::create_directories(std::filesystem::path(InFolder("reminders/" + name)).parent_path());
    CMonthFileScratch::WriteAll(InFolder("reminders/" + name), bytes);
  }
  void WriteDismissed(const std::string& name, const std::string& entries) const {
    WriteDismissedBytes(name, kHeader + entries);
  }
  void WriteMonth(int year, int month, int day, const char* line) const {
    MonthTable table = {};
    SetDayLine(table.Day(day), 0, line);
    char name[32];
    std::snprintf(name, sizeof name, "schedule%d_%02d.dat", year, month);
    ASSERT_EQ(1, WriteMonthFile(table, InFolder(name).c_str(), [] { return 31; }));
  }
  CReminderFiles Files(IFileSystem& files, CReminderFiles::HeldMonth held = nullptr) const {
    return CReminderFiles(files, Folder(), '/', std::move(held));
  }
  // The files of the folder and its recovered folder, as a search lists them.
  // The files of folders under the month files' (""), as a search lists the folder's.
  std::vector<std::string> FilesIn(std::initializer_list<std::string> folders) const {
    std::vector<std::string> names;
    for (const std::string& sub : folders) {
      if (!std::filesystem::exists(Folder() + "/" + sub)) continue;
      for (const auto& entry : std::filesystem::directory_iterator(Folder() + "/" + sub)) {
        if (entry.is_regular_file()) names.push_back(sub + entry.path().filename().string());
      }
    }
    std::sort(names.begin(), names.end());
    return names;
  }
  static std::vector<std::string> Titles(const CReminderFiles& files) {
    std::vector<std::string> titles;
    for (const TimedLine& line : files.Facts().lines) titles.push_back(line.title);
    return titles;
  }

  CMonthFileScratch m_scratch;
  CFaultyFileSystem m_files;
};

TEST(DismissedSetTest, ReadMergedAndPrunedWithoutLoss) {
  const std::string a = Entry(kToday, 600, 0xA);
  const std::string b = Entry(kToday - 1, 1439, 0xB);
  const std::string old = Entry(kToday - kDismissedKeptDays - 1, 600, 0xC);
  const std::string later = "2026-12-30 v2 an entry of a later version\r\n";
  struct Case {
    std::string bytes;
    bool read;
    size_t entries;
  };
  const Case cases[] = {
      {"", true, 0},
      {kHeader, true, 0},
      {kHeader + a + b, true, 2},
      {"Plannix dismissed reminders 1\n" + a.substr(0, a.size() - 2) + "\n" + b, true, 2},
      {kHeader + a + "2026-13-01 10:00 x\r\nno date\r\n2026-12-30 \x01\r\n" + later, true, 2},
      {kHeader + a + a + old, true, 2},
      {"QL3\n01,0,0,0,0,,,,,,,\n", false, 0},
      {"\r\n" + a, false, 0},
  };
  for (const Case& c : cases) {
    CDismissedSet set;
    EXPECT_EQ(c.read, set.AddFileBytes(c.bytes)) << c.bytes;
    EXPECT_EQ(c.entries, set.Size()) << c.bytes;
  }
  CDismissedSet one;
  CDismissedSet other;
  ASSERT_TRUE(one.AddFileBytes(kHeader + a + old + later));
  ASSERT_TRUE(other.AddFileBytes(kHeader + b + a));
  EXPECT_TRUE(one.Merge(other));
  EXPECT_FALSE(one.Merge(other)) << "nothing new";
  one.PruneBefore(kToday - kDismissedKeptDays);
  EXPECT_EQ(kHeader + b + later + a, one.Format()) << "in order, the old one gone, the later version's kept";
  EXPECT_TRUE(one.Contains(Occurrence(kToday, 600, 0xA)));
  EXPECT_FALSE(one.Contains(Occurrence(kToday, 600, 0xB))) << "another text is another occurrence";
  EXPECT_FALSE(one.Contains(Occurrence(kToday, 601, 0xA)));
}

TEST(DismissedSetTest, OnlyTheFilesOwnConflictCopiesAreItsCopies) {
  const struct {
    const char* name;
    bool copy;
  } cases[] = {
      {"dismissed.sync-conflict-20261209-101500-ABCDEFG.txt", true},
      {"dismissed (NAME's conflicted copy 2026-12-09).txt", true},
      {"dismissed (conflicted copy 2026-12-09 101500).TXT", true},
      {"dismissed-OFFICE-PC.txt", true},
      {"dismissed.txt", false},
      {"dismissed - コピー.txt", false},
      {"dismissed-OFFICE-PC.dat", false},
      {"other-reminders-PC.txt", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.copy, IsConflictCopyOf(c.name, kDismissedFileStem, kDismissedFileExtension)) << c.name;
    int year = 0;
    int month = 0;
    EXPECT_FALSE(ParseConflictCopyName(c.name, year, month)) << "no month's: " << c.name;
  }
}

TEST_F(ReminderFilesTest, TwoPCsCopiesAndTheConflictCopiesFoldIntoOneFile) {
  const std::string a = Entry(kToday, 600, 1), b = Entry(kToday, 630, 2), c = Entry(kToday, 660, 3),
                    d = Entry(kToday, 690, 4), e = Entry(kToday, 720, 5);
  WriteDismissed("dismissed.txt", a + b);
  WriteDismissed("dismissed.sync-conflict-20261231-101500-ABCDEFG.txt", b + c);
  WriteDismissed("dismissed (Hanako's conflicted copy 2026-12-31).txt", d);
  CReminderFiles files = Files(m_files);
  files.AddDismissed(Occurrence(kToday, 720, 5));
  files.Look(kToday);
  EXPECT_EQ(kHeader + a + b + c + d + e, DismissedFile());
  EXPECT_TRUE(files.Facts().dismissedKnown);
  EXPECT_FALSE(files.HasUnwritten());
  EXPECT_EQ((std::vector<std::string>{"recovered/dismissed (Hanako's conflicted copy 2026-12-31).txt",
                                      "recovered/dismissed.sync-conflict-20261231-101500-ABCDEFG.txt",
                                      "reminders/dismissed.txt"}),
            FilesIn({"", "recovered/", "reminders/"}));
  EXPECT_EQ(2u, files.KeptCopies().size());
  // The other PC writes meanwhile: its entry joins, nothing of ours is lost.
  const std::string f = Entry(kToday, 750, 6);
  WriteDismissed("dismissed.txt", a + f);
  files.AddDismissed(Occurrence(kToday, 780, 7));
  files.Look(kToday);
  EXPECT_EQ(kHeader + a + b + c + d + e + f + Entry(kToday, 780, 7), DismissedFile());
  // What a restart finds.
  CReminderFiles restarted = Files(SystemFileSystem());
  restarted.Look(kToday);
  EXPECT_EQ(7u, restarted.Facts().dismissed.Size());
}

TEST_F(ReminderFilesTest, AFileThatCannotBeReadIsNeverWrittenOverNorTakenForEmpty) {
  const std::string before = kHeader + Entry(kToday, 600, 1);
  WriteDismissedBytes("dismissed.txt", before);
  m_files.Fail("open-read");
  CReminderFiles files = Files(m_files);
  files.AddDismissed(Occurrence(kToday, 630, 2));
  files.Look(kToday);
  EXPECT_FALSE(files.Facts().dismissedKnown);
  EXPECT_TRUE(files.HasUnwritten());
  EXPECT_TRUE(files.Facts().dismissed.Contains(Occurrence(kToday, 630, 2))) << "kept in memory";
  EXPECT_EQ(before, DismissedFile());
  m_files.Heal();
  // A write that fails keeps it in memory too, to be tried again.
  m_files.Fail("create-new", 1);
  files.Look(kToday);
  EXPECT_TRUE(files.HasUnwritten());
  files.Look(kToday);
  EXPECT_FALSE(files.HasUnwritten());
  EXPECT_EQ(before + Entry(kToday, 630, 2), DismissedFile());
  // A file of that name that is no file of ours is not written over either.
  WriteDismissedBytes("dismissed.txt", "something else\r\n");
  files.AddDismissed(Occurrence(kToday, 660, 3));
  files.Look(kToday);
  EXPECT_EQ("something else\r\n", DismissedFile());
}

TEST_F(ReminderFilesTest, WhatAWriteCutShortLeftJoinsTheSet) {
  WriteDismissed("~saving/dismissed.txt", Entry(kToday, 600, 1));
  WriteDismissed("dismissed.txt", Entry(kToday, 630, 2));
  CReminderFiles files = Files(m_files);
  files.AddDismissed(Occurrence(kToday, 660, 3));
  files.Look(kToday);
  EXPECT_EQ(kHeader + Entry(kToday, 600, 1) + Entry(kToday, 630, 2) + Entry(kToday, 660, 3), DismissedFile());
  EXPECT_FALSE(std::filesystem::exists(InFolder("reminders/~saving/dismissed.txt")));
}

TEST_F(ReminderFilesTest, TheLinesOfYesterdayToTomorrowFromTheWindowOrTheFiles) {
  WriteMonth(2026, 12, 30, "8:00 昨日");
  WriteMonth(2027, 1, 1, "9:00 元日");
  bool holding = true;
  CReminderFiles files = Files(m_files, [&](int year, int month, MonthTable& table) {
    if (!holding || year != 2026 || month != 12) return false;
    table = {};
    SetDayLine(table.Day(31), 2, "10時 打ち込んだまま");
    return true;
  });
  EXPECT_TRUE(files.Look(kToday));
  EXPECT_EQ((std::vector<std::string>{"打ち込んだまま", "元日"}), Titles(files)) << "the window's month wins";
  EXPECT_FALSE(files.Look(kToday)) << "nothing changed";
  holding = false;
  EXPECT_TRUE(files.Look(kToday));
  EXPECT_EQ((std::vector<std::string>{"昨日", "元日"}), Titles(files));
  // A month that arrives (an import, the other PC's copy) brings its line.
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  WriteMonth(2027, 1, 1, "午後3時 来客");
  EXPECT_TRUE(files.Look(kToday));
  EXPECT_EQ((std::vector<std::string>{"昨日", "来客"}), Titles(files));
  EXPECT_EQ(900, files.Facts().lines.back().startMinute);
  // One that cannot be read keeps what it held.
  m_files.Fail("open-read");
  WriteMonth(2026, 12, 30, "");
  files.Look(kToday);
  EXPECT_EQ((std::vector<std::string>{"昨日", "来客"}), Titles(files));
}

TEST_F(ReminderFilesTest, TheWatchWritesADismissalAtOnceAndTellsOfChanges) {
  class CFixedClock : public IWallClock {
   public:
    WallTime Now() override { return {DateOfDayNumber(kToday), 36000}; }
  } clock;
  std::atomic<int> told{0};
  std::atomic<int> creates{0};
  m_files.BeforeCreate([&] { ++creates; });
  auto waitFor = [](const std::function<bool()>& done) {
    for (int wait = 0; wait < 500 && !done(); ++wait) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return done();
  };
  {
    CReminderWatch watch(std::make_unique<CReminderFiles>(Files(m_files)), clock, std::chrono::hours(1));
    watch.SetChangeListener([&] { ++told; });
    ASSERT_TRUE(waitFor([&] { return watch.Facts().dismissedKnown; })) << "the first look is at once";
    WriteMonth(2026, 12, 31, "11:00 来客");
    watch.Poke();
    EXPECT_TRUE(waitFor([&] { return told > 0 && watch.Facts().lines.size() == 1; }));
    watch.AddDismissed({Occurrence(kToday, 600, 1)});
    EXPECT_TRUE(watch.Facts().dismissed.Contains(Occurrence(kToday, 600, 1))) << "at once";
    EXPECT_TRUE(waitFor([&] { return !watch.HasUnwritten(); }));
    // This write fails, and the next look is an hour away: the end of the watch writes it.
    m_files.Fail("create-new", 1);
    const int before = creates;
    watch.AddDismissed({Occurrence(kToday, 630, 2)});
    EXPECT_TRUE(waitFor([&] { return creates > before; }));
    EXPECT_TRUE(watch.HasUnwritten());
  }
  EXPECT_EQ(kHeader + Entry(kToday, 600, 1) + Entry(kToday, 630, 2), DismissedFile());
}

TEST_F(ReminderFilesTest, TheSearchAndTheExportPassItBy) {
  WriteMonth(2026, 12, 31, "10:00 会議");
  CReminderFiles files = Files(m_files);
  files.AddDismissed(Occurrence(kToday, 600, 0x1000));
  files.Look(kToday);
  WriteDismissed("dismissed-OFFICE-PC.txt", Entry(kToday, 660, 0x1000));
  ASSERT_EQ(kHeader + Entry(kToday, 600, 0x1000), DismissedFile());
  CRecordingSink sink;
  RunScheduleSearch(
      0, "10", Folder() + "/", [&] { return FilesIn({""}); }, sink);
  ASSERT_EQ(1u, sink.Lines().size());
  EXPECT_EQ(0u, sink.Lines()[0].find("2026/12/31")) << sink.Lines()[0];
  std::ostringstream calendar;
  std::ostringstream warnings;
  ExportSummary summary;
  ASSERT_TRUE(ExportBook(Folder(), ExportOptions(), calendar, warnings, summary));
  EXPECT_EQ(1, summary.monthFiles);
  EXPECT_EQ("", warnings.str());
}

}  // namespace
