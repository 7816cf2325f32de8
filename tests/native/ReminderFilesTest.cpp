// What the reminders take from the files: the lines of yesterday to
// tomorrow from the window's month or the month files, and what was
// dismissed, a set that two PCs' copies and the conflict copies of sync
// clients merge into without loss, which the search and the export pass
// by; a file in an odd state for a moment, a damaged one, an older one put
// back, a data folder out of reach, a PC whose clock runs ahead and an
// exhausted heap cost nothing of it.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "FailingAllocations.h"
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
const std::string kHere = DismissedOriginOf("HERE-PC");
const std::string kThere = DismissedOriginOf("OTHER-PC");
const ReminderInstant kStart = ReminderInstant() + std::chrono::hours(1);

// One entry of the file, as the set writes it.
std::string Entry(int minute, int line = 0, int day = kToday, const std::string& origin = kHere) {
  CDismissedSet one;
  one.Add({day, line, minute, 0}, origin);
  return one.Format().substr(kHeader.size());
}

ReminderInstant After(int seconds) { return kStart + std::chrono::seconds(seconds); }

struct CFixedClock : IWallClock {
  WallTime Now() override { return {DateOfDayNumber(kToday), 36000}; }
};

bool Waited(const std::function<bool()>& done) {
  for (int wait = 0; wait < 500 && !done(); ++wait) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  return done();
}

class ReminderFilesTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(std::filesystem::create_directories(Folder() + "/reminders/~saving")); }

  std::string Folder() const { return m_scratch.Path("Plannix"); }
  std::string LocalPath() const { return m_scratch.Path("local/reminders.txt"); }
  std::string Dismissed() const { return CMonthFileScratch::ReadAll(Folder() + "/reminders/dismissed.txt"); }
  void WriteReminders(const std::string& name, const std::string& bytes) const {
    CMonthFileScratch::WriteAll(Folder() + "/reminders/" + name, bytes);
  }
  std::string MonthPath(int year, int month) const {
    return Folder() + "/schedule" + std::to_string(year) + (month < 10 ? "_0" : "_") + std::to_string(month) + ".dat";
  }
  void WriteMonth(int year, int month, int day, const char* line) const {
    MonthTable table = {};
    SetDayLine(table.Day(day), 0, line);
    ASSERT_EQ(1, WriteMonthFile(table, MonthPath(year, month).c_str(), [] { return 31; }));
  }
  ReminderPlaces Places() const { return {Folder(), '/', LocalPath(), kHere}; }
  CReminderFiles Files(CReminderFiles::HeldMonth held = nullptr) { return {m_files, Places(), std::move(held)}; }
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
  const std::string a = Entry(600), b = Entry(1439, 1, kToday - 1), old = Entry(600, 2, kToday - 8);
  const std::string later = "2026-12-30 v2 an entry of a later version\r\n";
  const struct {
    std::string bytes;
    bool read;
    size_t entries;
  } cases[] = {
      {"", true, 0},
      {kHeader + a + b, true, 2},
      {"\xEF\xBB\xBF" + kHeader + a, true, 1},
      {"Plannix dismissed reminders 1\n" + a.substr(0, a.size() - 2) + "\n" + b, true, 2},
      {kHeader + a + "2026-13-01 10:00 x\r\nno date\r\n2026-12-30 \x01\r\n" + later + a, true, 2},
      {"QL3\n01,0,0,0,0,,,,,,,\n", false, 0},
      {"\r\n" + a, false, 0},
      {"Plannix dismiss", false, 0},
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
  one.Prune(kHere, kToday);
  EXPECT_EQ(kHeader + b + later + a, one.Format()) << "in order, the old one gone, the later version's kept";
  EXPECT_TRUE(one.Contains({kToday, 0, 600, 0xA}));
  EXPECT_TRUE(one.Contains({kToday, 0, 600, 0xB})) << "the same place and time with another text";
  EXPECT_FALSE(one.Contains({kToday, 1, 600, 0xA})) << "another line";
  EXPECT_FALSE(one.Contains({kToday, 0, 601, 0xA})) << "another time";
  for (const char* name : {"dismissed.sync-conflict-20261209-101500-ABCDEFG.txt", "dismissed-OFFICE-PC.txt",
                           "dismissed (NAME's conflicted copy 2026-12-09).TXT"}) {
    EXPECT_TRUE(IsConflictCopyOf(name, kDismissedFileStem, kDismissedFileExtension)) << name;
  }
  for (const char* name : {"dismissed.txt", "dismissed - コピー.txt", "dismissed-PC.dat", "other-PC.txt"}) {
    EXPECT_FALSE(IsConflictCopyOf(name, kDismissedFileStem, kDismissedFileExtension)) << name;
  }
}

// Each PC prunes its own entries by its own date; another's only well
// after both its own date and that PC's newest entry. Days from today.
TEST(DismissedSetTest, APCWhoseClockRunsAheadPrunesNothingOthersNeed) {
  const std::string earlierVersion = "2026-12-30 10:00 89abcdef01234567\r\n";
  const struct {
    std::string entry;
    int prunerDay;  // the pruning PC's today
    bool kept;
    bool heals;  // written again when the file lacks it
  } cases[] = {
      {Entry(600, 0, kToday - 7), kToday, true, true},
      {Entry(600, 0, kToday - 8), kToday, false, false},
      {Entry(600, 0, kToday - 1, kThere), kToday + 8, true, false},
      {Entry(600, 0, kToday - 10, kThere), kToday + 30, false, false},
      {Entry(600, 0, kToday, kThere), kToday, true, true},
      {earlierVersion, kToday + 8, true, false},
  };
  for (const auto& c : cases) {
    // The other PC and an earlier version wrote up to today too.
    const std::string newest = Entry(601, 4, kToday, kThere) + "2026-12-31 09:00 0123456789abcdef\r\n";
    CDismissedSet set, file;
    ASSERT_TRUE(set.AddFileBytes(kHeader + c.entry + newest) && file.AddFileBytes(kHeader + newest));
    EXPECT_EQ(c.heals, set.HoldsMoreThan(file, kHere, c.prunerDay)) << c.entry << c.prunerDay - kToday;
    set.Prune(kHere, c.prunerDay);
    EXPECT_EQ(c.kept ? 3u : 2u, set.Size()) << c.entry << c.prunerDay - kToday;
  }
}

TEST_F(ReminderFilesTest, TwoPCsCopiesAndTheConflictCopiesFoldIntoOneFile) {
  WriteReminders("dismissed.txt", kHeader + Entry(600) + Entry(630));
  WriteReminders("dismissed.sync-conflict-20261231-101500-ABCDEFG.txt", kHeader + Entry(630) + Entry(660));
  WriteReminders("dismissed (Hanako's conflicted copy 2026-12-31).txt", kHeader + Entry(690));
  // What a write cut short left in the saving folder joins too.
  WriteReminders("~saving/dismissed.txt", kHeader + Entry(720));
  CReminderFiles files = Files();
  files.AddDismissed({kToday, 0, 750, 6});
  files.Look(kToday, kStart);
  const std::string all = kHeader + Entry(600) + Entry(630) + Entry(660) + Entry(690) + Entry(720);
  EXPECT_EQ(all + Entry(750), Dismissed());
  EXPECT_FALSE(files.HasUnwritten());
  EXPECT_EQ(std::vector<std::string>{"dismissed.txt"}, FilesIn("/reminders"));
  EXPECT_EQ(2u, FilesIn("/recovered").size()) << "the copies, moved aside";
  // The other PC writes meanwhile: its entry joins, nothing of ours is lost.
  WriteReminders("dismissed.txt", kHeader + Entry(600) + Entry(780, 0, kToday, kThere));
  files.AddDismissed({kToday, 0, 810, 8});
  files.Look(kToday, kStart);
  EXPECT_EQ(all + Entry(750) + Entry(780, 0, kToday, kThere) + Entry(810), Dismissed());
  CReminderFiles restarted = Files();
  restarted.Look(kToday, kStart);
  EXPECT_EQ(8u, restarted.Facts().dismissed.Size());
}

TEST_F(ReminderFilesTest, AFileThatCannotBeReadIsNeverWrittenOverNorTakenForEmpty) {
  const std::string before = kHeader + Entry(600);
  WriteReminders("dismissed.txt", before);
  m_files.Fail("open-read");
  CReminderFiles files = Files();
  files.AddDismissed({kToday, 1, 630, 2});
  files.Look(kToday, kStart);
  EXPECT_FALSE(files.Facts().dismissedKnown);
  EXPECT_TRUE(files.Facts().dismissed.Contains({kToday, 1, 630, 2})) << "kept in memory";
  EXPECT_EQ(before, Dismissed());
  m_files.Heal();
  m_files.Fail("create-new", 1);  // a write that fails is tried again at the next look
  files.Look(kToday, kStart);
  EXPECT_TRUE(files.HasUnwritten());
  files.Look(kToday, kStart);
  EXPECT_FALSE(files.HasUnwritten());
  EXPECT_EQ(before + Entry(630, 1), Dismissed());
}

// Cut short in its first line, or none of ours: moved aside once it stays
// so, a whole copy a write cut short left taken, the user told once.
TEST_F(ReminderFilesTest, ADamagedFileIsMovedAsideAndMadeAnewAndToldOnce) {
  const struct {
    std::string bytes;
    std::string leftCopy;
    std::string after;  // the file once repaired, with 11:00 dismissed here
  } cases[] = {
      {"Plannix dismis", "", kHeader + Entry(660)},
      {"something else\r\n", kHeader + Entry(630, 2), kHeader + Entry(630, 2) + Entry(660)},
  };
  for (const auto& c : cases) {
    std::filesystem::remove_all(Folder() + "/recovered");
    WriteReminders("dismissed.txt", c.bytes);
    if (!c.leftCopy.empty()) WriteReminders("~saving/dismissed.txt", c.leftCopy);
    CReminderFiles files = Files();
    files.AddDismissed({kToday, 0, 660, 1});
    files.Look(kToday, kStart);
    EXPECT_EQ(c.bytes, Dismissed()) << "a moment's damage, as a sync client writes it";
    files.Look(kToday, After(CReminderFiles::kSettleTime.count()));
    EXPECT_EQ(c.after, Dismissed());
    EXPECT_EQ(c.bytes, CMonthFileScratch::ReadAll(Folder() + "/recovered/dismissed.txt"));
    const std::vector<DismissedRepair> repairs = files.TakeRepairs();
    ASSERT_EQ(1u, repairs.size()) << c.bytes;
    EXPECT_EQ(!c.leftCopy.empty(), repairs.front().fromCopy);
    files.Look(kToday, After(100));
    EXPECT_TRUE(files.TakeRepairs().empty()) << "told once";
    EXPECT_TRUE(files.Facts().dismissedKnown && !files.HasUnwritten());
  }
}

TEST_F(ReminderFilesTest, TheFileHealsWhenAnOlderCopyIsPutBack) {
  CReminderFiles files = Files();
  files.AddDismissed({kToday, 0, 600, 1});
  files.Look(kToday, kStart);
  WriteReminders("dismissed.txt", Dismissed() + Entry(630, 0, kToday, kThere));
  files.Look(kToday, kStart);
  const unsigned written = m_files.Created();
  // A sync client that keeps the last writer brings back the other PC's older copy.
  WriteReminders("dismissed.txt", kHeader + Entry(700, 3, kToday, kThere));
  files.Look(kToday, kStart);
  EXPECT_EQ(kHeader + Entry(600) + Entry(630, 0, kToday, kThere) + Entry(700, 3, kToday, kThere), Dismissed());
  EXPECT_EQ(written + 1, m_files.Created());
  files.Look(kToday, kStart);
  EXPECT_EQ(written + 1, m_files.Created()) << "nothing lacking: nothing written";
}

// A share offline or the file held as the host closes: the dismissal
// waits in this PC's own file and reaches the data folder at the next start.
TEST_F(ReminderFilesTest, DismissalsThatCannotReachTheDataFolderWaitInAFileOfThisPC) {
  CFixedClock clock;
  m_files.OnlyFor("/Plannix/");
  m_files.Fail("create-new");
  m_files.Fail("open-in-place");
  {
    CReminderWatch watch(std::make_unique<CReminderFiles>(Files()), clock, std::chrono::hours(1));
    ASSERT_TRUE(Waited([&] { return watch.Facts().dismissedKnown; }));
    watch.AddDismissed({{kToday, 2, 600, 1}});
    EXPECT_TRUE(Waited([&] { return CMonthFileScratch::ReadAll(LocalPath()) == kHeader + Entry(600, 2); }));
  }
  EXPECT_EQ("", Dismissed());
  EXPECT_EQ(kHeader + Entry(600, 2), CMonthFileScratch::ReadAll(LocalPath())) << "kept as the host closed";
  m_files.Heal();
  CReminderFiles restarted = Files();
  restarted.Look(kToday, kStart);
  EXPECT_TRUE(restarted.Facts().dismissed.Contains({kToday, 2, 600, 1}));
  EXPECT_EQ(kHeader + Entry(600, 2), Dismissed());
  EXPECT_FALSE(std::filesystem::exists(LocalPath())) << "nothing left to keep";
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
  EXPECT_TRUE(files.Look(kToday, kStart));
  EXPECT_EQ((std::vector<std::string>{"打ち込んだまま", "元日"}), Titles(files)) << "the window's month wins";
  EXPECT_FALSE(files.Look(kToday, kStart)) << "nothing changed";
  holding = false;
  EXPECT_TRUE(files.Look(kToday, kStart));
  EXPECT_EQ((std::vector<std::string>{"昨日", "元日"}), Titles(files));
  // A month that arrives (an import, the other PC's copy) brings its line.
  WriteMonth(2027, 1, 1, "午後3時 来客");
  EXPECT_TRUE(files.Look(kToday, kStart));
  EXPECT_EQ((std::vector<std::string>{"昨日", "来客"}), Titles(files));
  m_files.Fail("open-read");
  WriteMonth(2026, 12, 30, "");
  files.Look(kToday, kStart);
  EXPECT_EQ((std::vector<std::string>{"昨日", "来客"}), Titles(files)) << "unreadable: as it was";
  EXPECT_TRUE(files.Facts().daysUnknown.empty()) << "what it held is known";
}

// A sync client that deletes before it writes anew, a rewrite in place
// caught in the middle: the lines stay until the state has lasted.
TEST_F(ReminderFilesTest, AMonthGoneOrHalfWrittenForAMomentTakesNothingAway) {
  const struct {
    const char* odd;
    size_t keptBytes;  // std::string::npos: gone; else cut after the line's "10:0"
  } cases[] = {{"gone", std::string::npos}, {"cut inside the line", 1}, {"cut to nothing", 0}};
  for (const auto& c : cases) {
    WriteMonth(2026, 12, 31, "10:00 会議");
    CReminderFiles files = Files();
    files.Look(kToday, kStart);
    ASSERT_EQ(std::vector<std::string>{"会議"}, Titles(files));
    const std::string whole = CMonthFileScratch::ReadAll(MonthPath(2026, 12));
    if (c.keptBytes == std::string::npos) {
      std::filesystem::remove(MonthPath(2026, 12));
    } else {
      CMonthFileScratch::WriteAll(MonthPath(2026, 12), whole.substr(0, c.keptBytes * (whole.find("10:00") + 4)));
    }
    files.Look(kToday, After(1));
    EXPECT_EQ(std::vector<std::string>{"会議"}, Titles(files)) << c.odd;
    if (c.keptBytes != std::string::npos) {
      CReminderFiles restarted = Files();
      restarted.Look(kToday, kStart);
      EXPECT_EQ(2u, restarted.Facts().daysUnknown.size()) << c.odd << ": December's two days cannot be told";
    }
    files.Look(kToday, After(1 + CReminderFiles::kSettleTime.count()));
    EXPECT_TRUE(Titles(files).empty()) << c.odd << ", and it stayed so";
  }
}

TEST_F(ReminderFilesTest, TheWatchLooksAtOnceWritesADismissalAtOnceAndAgainAsItEnds) {
  CFixedClock clock;
  std::atomic<int> told{0}, creates{0};
  m_files.BeforeCreate([&] { ++creates; });
  {
    CReminderWatch watch(std::make_unique<CReminderFiles>(Files()), clock, std::chrono::hours(1));
    watch.SetChangeListener([&] { ++told; });
    ASSERT_TRUE(Waited([&] { return watch.Facts().dismissedKnown; }));
    WriteMonth(2026, 12, 31, "11:00 来客");
    watch.Poke();
    EXPECT_TRUE(Waited([&] { return told > 0 && watch.Facts().lines.size() == 1; }));
    watch.AddDismissed({{kToday, 0, 600, 1}});
    EXPECT_TRUE(watch.Facts().dismissed.Contains({kToday, 0, 600, 1})) << "at once";
    EXPECT_TRUE(Waited([&] { return !watch.HasUnwritten(); }));
    m_files.Fail("create-new", 1);
    const int before = creates;
    watch.AddDismissed({{kToday, 0, 630, 2}});
    EXPECT_TRUE(Waited([&] { return creates > before; }) && watch.HasUnwritten());
  }
  EXPECT_EQ(kHeader + Entry(600) + Entry(630), Dismissed());
}

// Whichever allocation of a look fails, what was dismissed reaches the file at the next.
TEST_F(ReminderFilesTest, AnExhaustedHeapDuringALookKeepsWhatWasPending) {
  CFixedClock clock;
  std::atomic<std::thread::id> looking{};
  const auto held = [&](int, int, MonthTable&) {
    looking = std::this_thread::get_id();
    return false;
  };
  for (int nth = 1; nth <= 40; ++nth) {
    std::filesystem::remove(Folder() + "/reminders/dismissed.txt");
    CReminderWatch watch(std::make_unique<CReminderFiles>(m_files, Places(), held), clock, std::chrono::hours(1));
    ASSERT_TRUE(Waited([&] { return watch.Facts().dismissedKnown; }));
    FailAllocationOnThread(looking, nth);
    watch.AddDismissed({{kToday, 0, 600, 1}, {kToday, 1, 630, 2}});
    Waited([&] { return AllocationFailed() || !watch.HasUnwritten(); });
    StopFailingAllocations();
    watch.Poke();
    EXPECT_TRUE(Waited([&] { return !watch.HasUnwritten(); })) << nth;
    EXPECT_EQ(kHeader + Entry(600) + Entry(630, 1), Dismissed()) << "allocation " << nth;
  }
}

TEST_F(ReminderFilesTest, TheSearchAndTheExportPassItBy) {
  WriteMonth(2026, 12, 31, "10:00 会議");
  CReminderFiles files = Files();
  files.AddDismissed({kToday, 0, 600, 0x1000});
  files.Look(kToday, kStart);
  WriteReminders("dismissed-OFFICE-PC.txt", kHeader + Entry(660));
  ASSERT_EQ(kHeader + Entry(600), Dismissed());
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
