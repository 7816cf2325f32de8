// What the reminders take from the files: the lines of yesterday to
// tomorrow from the window's month or the month files, and what was
// dismissed, a set that two PCs' copies and the conflict copies of sync
// clients merge into without loss, which the search and the export pass by.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "FaultyFileSystem.h"
#include "MonthFileScratch.h"
#include "SearchTestSupport.h"
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

// One entry of the file, as the set writes it.
std::string Entry(int minute, uint64_t hash, int day = kToday) {
  CDismissedSet one;
  one.Add({day, minute, hash});
  return one.Format().substr(kHeader.size());
}

bool Waited(const std::function<bool()>& done) {
  for (int wait = 0; wait < 500 && !done(); ++wait) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  return done();
}

class ReminderFilesTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(std::filesystem::create_directories(Folder() + "/reminders/~saving")); }

  std::string Folder() const { return m_scratch.Path("Plannix"); }
  std::string Dismissed() const { return CMonthFileScratch::ReadAll(Folder() + "/reminders/dismissed.txt"); }
  void WriteReminders(const std::string& name, const std::string& bytes) const {
    CMonthFileScratch::WriteAll(Folder() + "/reminders/" + name, bytes);
  }
  void WriteMonth(int year, int month, int day, const char* line) const {
    MonthTable table = {};
    SetDayLine(table.Day(day), 0, line);
    const std::string name = "schedule" + std::to_string(year) + (month < 10 ? "_0" : "_") + std::to_string(month);
    ASSERT_EQ(1, WriteMonthFile(table, (Folder() + "/" + name + ".dat").c_str(), [] { return 31; }));
  }
  CReminderFiles Files(CReminderFiles::HeldMonth held = nullptr) { return {m_files, Folder(), '/', std::move(held)}; }
  // The files a folder under the month files' holds, by name.
  std::vector<std::string> FilesIn(const std::string& sub) const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(Folder() + sub)) {
      if (entry.is_regular_file()) names.push_back(entry.path().filename().string());
    }
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
  const std::string a = Entry(600, 0xA), b = Entry(1439, 0xB, kToday - 1), old = Entry(600, 0xC, kToday - 8);
  const std::string later = "2026-12-30 v2 an entry of a later version\r\n";
  const struct {
    std::string bytes;
    bool read;
    size_t entries;
  } cases[] = {
      {"", true, 0},
      {kHeader + a + b, true, 2},
      {"Plannix dismissed reminders 1\n" + a.substr(0, a.size() - 2) + "\n" + b, true, 2},
      {kHeader + a + "2026-13-01 10:00 x\r\nno date\r\n2026-12-30 \x01\r\n" + later + a, true, 2},
      {"QL3\n01,0,0,0,0,,,,,,,\n", false, 0},
      {"\r\n" + a, false, 0},
  };
  for (const auto& c : cases) {
    CDismissedSet set;
    EXPECT_EQ(c.read, set.AddFileBytes(c.bytes)) << c.bytes;
    EXPECT_EQ(c.entries, set.Size()) << c.bytes;
  }
  CDismissedSet one, other;
  ASSERT_TRUE(one.AddFileBytes(kHeader + a + old + later) && other.AddFileBytes(kHeader + b + a));
  EXPECT_TRUE(one.Merge(other));
  EXPECT_FALSE(one.Merge(other)) << "nothing new";
  one.PruneBefore(kToday - kDismissedKeptDays);
  EXPECT_EQ(kHeader + b + later + a, one.Format()) << "in order, the old one gone, the later version's kept";
  EXPECT_TRUE(one.Contains({kToday, 600, 0xA}));
  EXPECT_FALSE(one.Contains({kToday, 600, 0xB})) << "another text is another occurrence";
  for (const char* name : {"dismissed.sync-conflict-20261209-101500-ABCDEFG.txt", "dismissed-OFFICE-PC.txt",
                           "dismissed (NAME's conflicted copy 2026-12-09).TXT"}) {
    EXPECT_TRUE(IsConflictCopyOf(name, kDismissedFileStem, kDismissedFileExtension)) << name;
  }
  for (const char* name : {"dismissed.txt", "dismissed - コピー.txt", "dismissed-PC.dat", "other-PC.txt"}) {
    EXPECT_FALSE(IsConflictCopyOf(name, kDismissedFileStem, kDismissedFileExtension)) << name;
  }
}

TEST_F(ReminderFilesTest, TwoPCsCopiesAndTheConflictCopiesFoldIntoOneFile) {
  WriteReminders("dismissed.txt", kHeader + Entry(600, 1) + Entry(630, 2));
  WriteReminders("dismissed.sync-conflict-20261231-101500-ABCDEFG.txt", kHeader + Entry(630, 2) + Entry(660, 3));
  WriteReminders("dismissed (Hanako's conflicted copy 2026-12-31).txt", kHeader + Entry(690, 4));
  // What a write cut short left in the saving folder joins too.
  WriteReminders("~saving/dismissed.txt", kHeader + Entry(720, 5));
  CReminderFiles files = Files();
  files.AddDismissed({kToday, 750, 6});
  files.Look(kToday);
  const std::string all = kHeader + Entry(600, 1) + Entry(630, 2) + Entry(660, 3) + Entry(690, 4) + Entry(720, 5);
  EXPECT_EQ(all + Entry(750, 6), Dismissed());
  EXPECT_FALSE(files.HasUnwritten());
  EXPECT_EQ(std::vector<std::string>{"dismissed.txt"}, FilesIn("/reminders"));
  EXPECT_EQ(2u, FilesIn("/recovered").size()) << "the copies, moved aside";
  // The other PC writes meanwhile: its entry joins, nothing of ours is lost.
  WriteReminders("dismissed.txt", kHeader + Entry(600, 1) + Entry(780, 7));
  files.AddDismissed({kToday, 810, 8});
  files.Look(kToday);
  EXPECT_EQ(all + Entry(750, 6) + Entry(780, 7) + Entry(810, 8), Dismissed());
  CReminderFiles restarted = Files();
  restarted.Look(kToday);
  EXPECT_EQ(8u, restarted.Facts().dismissed.Size());
}

TEST_F(ReminderFilesTest, AFileThatCannotBeReadIsNeverWrittenOverNorTakenForEmpty) {
  const std::string before = kHeader + Entry(600, 1);
  WriteReminders("dismissed.txt", before);
  m_files.Fail("open-read");
  CReminderFiles files = Files();
  files.AddDismissed({kToday, 630, 2});
  files.Look(kToday);
  EXPECT_FALSE(files.Facts().dismissedKnown);
  EXPECT_TRUE(files.Facts().dismissed.Contains({kToday, 630, 2})) << "kept in memory";
  EXPECT_EQ(before, Dismissed());
  m_files.Heal();
  m_files.Fail("create-new", 1);  // a write that fails is tried again at the next look
  files.Look(kToday);
  EXPECT_TRUE(files.HasUnwritten());
  files.Look(kToday);
  EXPECT_FALSE(files.HasUnwritten());
  EXPECT_EQ(before + Entry(630, 2), Dismissed());
  // Nor is a file of that name that is none of ours.
  WriteReminders("dismissed.txt", "something else\r\n");
  files.AddDismissed({kToday, 660, 3});
  files.Look(kToday);
  EXPECT_EQ("something else\r\n", Dismissed());
}

TEST_F(ReminderFilesTest, TheLinesOfYesterdayToTomorrowFromTheWindowOrTheFiles) {
  WriteMonth(2026, 12, 30, "8:00 昨日");
  WriteMonth(2027, 1, 1, "9:00 元日");
  bool holding = true;
  CReminderFiles files = Files([&](int year, int month, MonthTable& table) {
    if (!holding || year * 100 + month != 202612) return false;
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
  WriteMonth(2027, 1, 1, "午後3時 来客");
  EXPECT_TRUE(files.Look(kToday));
  EXPECT_EQ((std::vector<std::string>{"昨日", "来客"}), Titles(files));
  m_files.Fail("open-read");
  WriteMonth(2026, 12, 30, "");
  files.Look(kToday);
  EXPECT_EQ((std::vector<std::string>{"昨日", "来客"}), Titles(files)) << "unreadable: as it was";
}

TEST_F(ReminderFilesTest, TheWatchLooksAtOnceWritesADismissalAtOnceAndAgainAsItEnds) {
  struct CFixedClock : IWallClock {
    WallTime Now() override { return {DateOfDayNumber(kToday), 36000}; }
  } clock;
  std::atomic<int> told{0}, creates{0};
  m_files.BeforeCreate([&] { ++creates; });
  {
    CReminderWatch watch(std::make_unique<CReminderFiles>(Files()), clock, std::chrono::hours(1));
    watch.SetChangeListener([&] { ++told; });
    ASSERT_TRUE(Waited([&] { return watch.Facts().dismissedKnown; }));
    WriteMonth(2026, 12, 31, "11:00 来客");
    watch.Poke();
    EXPECT_TRUE(Waited([&] { return told > 0 && watch.Facts().lines.size() == 1; }));
    watch.AddDismissed({{kToday, 600, 1}});
    EXPECT_TRUE(watch.Facts().dismissed.Contains({kToday, 600, 1})) << "at once";
    EXPECT_TRUE(Waited([&] { return !watch.HasUnwritten(); }));
    m_files.Fail("create-new", 1);
    const int before = creates;
    watch.AddDismissed({{kToday, 630, 2}});
    EXPECT_TRUE(Waited([&] { return creates > before; }) && watch.HasUnwritten());
  }
  EXPECT_EQ(kHeader + Entry(600, 1) + Entry(630, 2), Dismissed());
}

TEST_F(ReminderFilesTest, TheSearchAndTheExportPassItBy) {
  WriteMonth(2026, 12, 31, "10:00 会議");
  CReminderFiles files = Files();
  files.AddDismissed({kToday, 600, 0x1000});
  files.Look(kToday);
  WriteReminders("dismissed-OFFICE-PC.txt", kHeader + Entry(660, 0x1000));
  ASSERT_EQ(kHeader + Entry(600, 0x1000), Dismissed());
  CRecordingSink sink;
  RunScheduleSearch(
      0, "10", Folder() + "/", [&] { return FilesIn(""); }, sink);
  ASSERT_EQ(1u, sink.Lines().size());
  EXPECT_EQ(0u, sink.Lines()[0].find("2026/12/31")) << sink.Lines()[0];
  std::ostringstream calendar, warnings;
  ExportSummary summary;
  ASSERT_TRUE(ExportBook(Folder(), ExportOptions(), calendar, warnings, summary));
  EXPECT_EQ(1, summary.monthFiles);
  EXPECT_EQ("", warnings.str());
}

}  // namespace
