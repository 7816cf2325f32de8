#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <future>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "FaultyFileSystem.h"
#include "MonthFileScratch.h"
#include "book/MonthSession.h"
#include "data/MonthFileWriter.h"
#include "host/core/HostServices.h"
#include "host/core/MemorySettingsStore.h"

namespace {

// The host's services; whatever is set in m_onAnswer runs as it answers.
class CAnsweringHost : public CHostServices {
 public:
  using CHostServices::CHostServices;
  const char* GetDataDirectory(int a, int b) override {
    if (m_onAnswer) m_onAnswer();
    return m_noDirectory ? nullptr : CHostServices::GetDataDirectory(a, b);
  }
  intptr_t CalendarQuery(int code, intptr_t a, intptr_t b) override {
    if (m_onAnswer) m_onAnswer();
    const intptr_t answer = CHostServices::CalendarQuery(code, a, b);
    auto replaced = m_answers.find(code);
    if (replaced == m_answers.end()) return answer;
    // For the grid, the value put into every cell the host left empty.
    if (code == kCalFillMonthGrid) {
      for (unsigned char& cell : reinterpret_cast<MonthGrid*>(a)->cells) cell = cell ? cell : replaced->second;
    }
    return replaced->second;
  }
  std::function<void()> m_onAnswer;
  std::map<int, intptr_t> m_answers;  // in the place of the host's own
  bool m_noDirectory = false;
};

class MonthSessionTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(std::filesystem::create_directory(m_scratch.Path("Plannix"))); }

  std::string MonthPath(int month) const {
    return m_scratch.Path("Plannix/schedule2010_" + std::string(month < 10 ? "0" : "") + std::to_string(month) +
                          ".dat");
  }
  // A month of 2010 whose day 5 holds the text in its first line.
  void WriteMonth(int month, const std::string& text) const {
    MonthTable table = {};
    SetDayLine(table.Day(5), 0, text.c_str());
    const int days = month == 4 ? 30 : 31;
    ASSERT_EQ(1, WriteMonthFile(table, MonthPath(month).c_str(), [days] { return days; }));
  }
  std::string LineOfFile(int month, int day) const {
    MonthTable table;
    ReadMonthFile(table, MonthPath(month).c_str());
    return table.Day(day).szLine[0];
  }
  bool Type(const char* text) {
    char stored[kLineSize];
    return m_session.StoreLine(0, text, stored);
  }
  // The writer's thread has written everything stored, within five seconds.
  static bool Written(const CMonthSession& session) {
    for (int wait = 0; wait < 500 && session.HasUnwritten(); ++wait) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return !session.HasUnwritten();
  }

  CMonthFileScratch m_scratch;
  CMemorySettingsStore m_store;
  CAnsweringHost m_host{m_store, m_scratch.Path(""), DateRecord{2010, 3, 0, 5}};
  CFaultyFileSystem m_files;
  CMonthSession m_session{m_files, "Plannix", '/'};
};

struct OpenCase {
  bool fileThere;
  const char* fault;
  int times;
  MonthFileState state;
  MonthSaveOutcome saved;
  unsigned pausedMs;
};

constexpr int kAlways = CFaultyFileSystem::kAlways;

// A failing read comes after the first block, which holds day 5: half a
// month would be there.
const OpenCase kOpenCases[] = {
    {true, "", 0, MonthFileState::kRead, MonthSaveOutcome::kWritten, 0},
    {false, "", 0, MonthFileState::kAbsent, MonthSaveOutcome::kWritten, 0},
    {true, "open-read", 2, MonthFileState::kRead, MonthSaveOutcome::kWritten, 150},
    {true, "read", 1, MonthFileState::kRead, MonthSaveOutcome::kWritten, 50},
    {true, "open-read", kAlways, MonthFileState::kUnreadable, MonthSaveOutcome::kProtected, 1000},
    {true, "read", kAlways, MonthFileState::kUnreadable, MonthSaveOutcome::kProtected, 1000},
    {true, "create-new", kAlways, MonthFileState::kRead, MonthSaveOutcome::kFailed, 0},
    {true, "alloc-read", kAlways, MonthFileState::kUnreadable, MonthSaveOutcome::kProtected, 0},
    {true, "alloc-create", kAlways, MonthFileState::kRead, MonthSaveOutcome::kFailed, 0},
};

// What the month shows, takes and writes after each way its file can be,
// and that nothing new is saved before a month is open or after it closed. A
// file that cannot be read is tried for a second, then never written. What
// the library throws while reading or writing is a failed read or write.
TEST_F(MonthSessionTest, EveryOutcomeOfOpeningAndSaving) {
  EXPECT_EQ(MonthSaveOutcome::kNotOpen, m_session.Save());
  for (const OpenCase& c : kOpenCases) {
    SCOPED_TRACE(std::string(c.fault) + " times " + std::to_string(c.times) + (c.fileThere ? "" : " absent"));
    std::filesystem::remove(MonthPath(3));
    if (c.fileThere) WriteMonth(3, std::string(200, 'x'));
    const std::string before = CMonthFileScratch::ReadAll(MonthPath(3));
    CFaultyFileSystem files;
    files.Fail(c.fault, c.times);
    CMonthSession session(files, "Plannix", '/');

    EXPECT_EQ(c.state, session.OpenToday(m_host));
    EXPECT_EQ(c.pausedMs, files.PausedMs());
    MonthView view = session.View();
    EXPECT_EQ(2010 * 10000 + 3 * 100 + 5, view.year * 10000 + view.month * 100 + view.selectedDay);
    EXPECT_EQ(c.state == MonthFileState::kRead ? std::string(127, 'x') : "", session.Day(5).szLine[0]);
    const bool readable = c.state != MonthFileState::kUnreadable;
    char stored[kLineSize];
    EXPECT_EQ(readable, session.StoreLine(0, "typed", stored));
    char memo[kMemoSize];
    EXPECT_EQ(readable, session.StoreMemo("memo", memo));
    EXPECT_EQ(readable, session.StoreSeal(0, 6));

    EXPECT_EQ(c.saved, session.Save());
    if (c.saved == MonthSaveOutcome::kWritten) {
      EXPECT_EQ("typed", LineOfFile(3, 5));
    } else {
      EXPECT_EQ(before, CMonthFileScratch::ReadAll(MonthPath(3)));
    }
    session.Close();
    // What could not be written is still tried; nothing else is written.
    EXPECT_EQ(c.saved == MonthSaveOutcome::kFailed ? c.saved : MonthSaveOutcome::kNotOpen, session.Save());
    EXPECT_FALSE(session.StoreLine(0, "lost", stored));
  }
}

TEST_F(MonthSessionTest, AMonthRefusedOnceIsReadWhenShownAgain) {
  WriteMonth(3, "dentist");
  m_files.Fail("open-read");
  ASSERT_EQ(MonthFileState::kUnreadable, m_session.OpenToday(m_host));
  MonthStepOutcome away = m_session.Step(m_host, 1);
  EXPECT_EQ(MonthSaveOutcome::kProtected, away.saved);
  EXPECT_TRUE(away.stepped);
  EXPECT_EQ(MonthFileState::kAbsent, away.opened);

  m_files.Heal();
  EXPECT_EQ(MonthFileState::kRead, m_session.Step(m_host, -1).opened);
  EXPECT_STREQ("dentist", m_session.Day(5).szLine[0]);
  EXPECT_TRUE(Type("typed on day 1"));
  m_session.Step(m_host, 12);
  EXPECT_EQ(2011, m_session.View().year);
  ASSERT_TRUE(Written(m_session));
  EXPECT_EQ("dentist", LineOfFile(3, 5));
  EXPECT_EQ("typed on day 1", LineOfFile(3, 1));
}

struct HostAnswerCase {
  const char* what;
  int code;
  intptr_t answer;
  int month, day, weekday;  // selected afterwards
};

// Today is Friday 5 March 2010 but for the one answer.
const HostAnswerCase kHostAnswerCases[] = {
    {"day 0", kCalTodayDay, 0, 3, 1, 5},
    {"day 32", kCalTodayDay, 32, 3, 31, 5},
    {"weekday 7", kCalTodayWeekday, 7, 3, 5, 6},
    {"weekday -1", kCalTodayWeekday, -1, 3, 5, 0},
    {"month 0", kCalTodayMonth, 0, 1, 5, 5},
    {"month 13", kCalTodayMonth, 13, 12, 5, 5},
    {"a month of no days", kCalDaysInMonth, 0, 3, 5, 5},
    {"grid days past the month", kCalFillMonthGrid, 200, 3, 5, 5},
};

// Whatever the host answers, the day on display is one the table and the
// file hold: what is typed into it is in the file after a save.
TEST_F(MonthSessionTest, AnswersThatAreNoDateAreClampedAndNothingTypedIsLost) {
  for (const HostAnswerCase& c : kHostAnswerCases) {
    SCOPED_TRACE(c.what);
    m_host.m_answers = {{c.code, c.answer}};
    ASSERT_EQ(MonthFileState::kAbsent, m_session.OpenToday(m_host));
    const MonthView view = m_session.View();
    EXPECT_EQ(c.month * 10000 + c.day * 10 + c.weekday,
              view.month * 10000 + view.selectedDay * 10 + view.selectedWeekday);
    EXPECT_LE(*std::max_element(view.dayGrid.cells, view.dayGrid.cells + MonthGrid::kCells), 31);
    EXPECT_TRUE(Type(c.what));
    m_host.m_answers.clear();
    EXPECT_EQ(MonthSaveOutcome::kWritten, m_session.Save());
    EXPECT_EQ(c.what, LineOfFile(c.month, c.day));
    std::filesystem::remove(MonthPath(c.month));
  }
  m_host.m_answers = {{kCalNextMonthFirstWeekday, 9}};
  m_session.Step(m_host, 1);
  EXPECT_EQ(6, m_session.View().selectedWeekday);
  EXPECT_FALSE(m_session.SelectDay(2, 7));
  // No data folder: no file to read or write, so the month is protected.
  m_host.m_noDirectory = true;
  EXPECT_EQ(MonthFileState::kUnreadable, m_session.OpenToday(m_host));
  EXPECT_FALSE(Type("lost"));
}

// The window closed in March and opened again in April while the host's
// thread saves on and on: April's file never gets March's table.
TEST_F(MonthSessionTest, ReopeningWhileTheHostSavesNeverWritesTheOldMonthIntoTodays) {
  CAnsweringHost april(m_store, m_scratch.Path(""), DateRecord{2010, 4, 0, 5});
  // The host takes its time over every answer of the new window.
  april.m_onAnswer = [] { std::this_thread::sleep_for(std::chrono::microseconds(300)); };
  WriteMonth(4, "april");
  const std::string aprilBytes = CMonthFileScratch::ReadAll(MonthPath(4));
  for (int round = 0; round < 20; ++round) {
    m_session.OpenToday(m_host);
    Type("march");
    m_session.Save();
    m_session.Close();
    std::atomic<bool> done{false};
    std::thread hostThread([&] {
      while (!done) m_session.Save();
    });
    m_session.OpenToday(april);
    done = true;
    hostThread.join();
    ASSERT_EQ(aprilBytes, CMonthFileScratch::ReadAll(MonthPath(4))) << round;
    m_session.Close();
  }
}

// A change beside the session (a repeated line) is half way through
// replacing a month's file, gone for the moment: opening that month waits
// for it and reads what it wrote; opening another month does not wait.
TEST_F(MonthSessionTest, OpeningAMonthWaitsForAChangeOfItsOwnFileOnly) {
  for (const int changed : {4, 5}) {
    WriteMonth(4, "april");
    m_session.OpenToday(m_host);
    std::promise<void> begun;
    std::atomic<bool> opened{false};
    bool openedMeanwhile = false;
    std::thread change([&] {
      m_session.ChangeFileBeside(2010, changed, [&] {
        std::filesystem::remove(MonthPath(changed));
        begun.set_value();
        for (int wait = 0; wait < 100 && !opened; ++wait) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        openedMeanwhile = opened;
        WriteMonth(changed, "changed");
      });
    });
    begun.get_future().wait();
    EXPECT_EQ(MonthFileState::kRead, m_session.Step(m_host, 1).opened) << changed;
    opened = true;
    change.join();
    EXPECT_STREQ(changed == 4 ? "changed" : "april", m_session.Day(5).szLine[0]);
    EXPECT_EQ(changed != 4, openedMeanwhile);
    m_session.Close();
  }
}

// A host that saves from its own thread while it answers the window, and
// waits for that save: no lock may be held across a call out.
TEST_F(MonthSessionTest, TheHostMaySaveWhileItAnswers) {
  const std::thread::id windowThread = std::this_thread::get_id();
  std::vector<std::thread> saves;
  int stuck = 0;
  m_host.m_onAnswer = [&] {
    if (std::this_thread::get_id() != windowThread) return;
    std::promise<void> saved;
    std::future<void> ended = saved.get_future();
    saves.emplace_back([this, promise = std::move(saved)]() mutable {
      m_session.Save();
      promise.set_value();
    });
    if (ended.wait_for(std::chrono::seconds(5)) != std::future_status::ready) ++stuck;
  };
  m_session.OpenToday(m_host);
  Type("typed");
  m_session.Step(m_host, 1);
  m_session.Step(m_host, -12);
  m_host.m_onAnswer = nullptr;
  for (std::thread& save : saves) save.join();
  EXPECT_EQ(0, stuck);
  EXPECT_GT(saves.size(), 20u);
  ASSERT_TRUE(Written(m_session));
  EXPECT_EQ("typed", LineOfFile(3, 5));
}

// What is stored reaches the file soon, in one write for a burst; a store
// that changes nothing writes nothing.
TEST_F(MonthSessionTest, ABurstOfStoresIsOneWriteSoonAfter) {
  CMonthSession session(m_files, "Plannix", '/', std::chrono::milliseconds(100));
  ASSERT_EQ(MonthFileState::kAbsent, session.OpenToday(m_host));
  char line[kLineSize];
  char memo[kMemoSize];
  for (int key = 1; key <= 20; ++key) {
    session.StoreLine(key % kLineCount, std::string(key, 'k').c_str(), line);
    session.StoreMemo(std::to_string(key).c_str(), memo);
    session.StoreSeal(key % kSealSlots, key);
  }
  ASSERT_TRUE(Written(session));
  EXPECT_EQ(1u, m_files.Created());
  MonthTable table;
  ReadMonthFile(table, MonthPath(3).c_str());
  EXPECT_EQ(std::string(20, 'k'), table.Day(5).szLine[0]);
  EXPECT_STREQ("20", table.Day(5).szMemo);
  session.StoreMemo("20", memo);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_EQ(1u, m_files.Created());
}

// A write the disk refuses is told once, tried again on the next change,
// and told again only after one succeeded; meanwhile a month change first
// writes, and is refused with the edits kept.
TEST_F(MonthSessionTest, AFailedBackgroundWriteIsToldOnceAndTriedOnTheNextChange) {
  CMonthSession session(m_files, "Plannix", '/', std::chrono::milliseconds(20));
  std::atomic<int> told{0};
  std::atomic<int> attempts{0};
  session.SetWriteFailureListener([&] { ++told; });
  m_files.BeforeCreate([&] { ++attempts; });
  session.OpenToday(m_host);
  m_files.Fail("create-new");
  auto storeAndWait = [&](const char* text) {
    const int before = attempts;
    char stored[kLineSize];
    session.StoreLine(0, text, stored);
    for (int wait = 0; wait < 500 && attempts == before; ++wait) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  };
  storeAndWait("one");
  storeAndWait("two");
  EXPECT_EQ(2, attempts);
  EXPECT_EQ(1, told);
  MonthStepOutcome refused = session.Step(m_host, 1);
  EXPECT_FALSE(refused.stepped);
  EXPECT_STREQ("two", session.Day(5).szLine[0]);
  EXPECT_EQ(3, session.View().month);

  m_files.Heal();
  storeAndWait("three");
  EXPECT_FALSE(session.HasUnwritten());
  EXPECT_EQ("three", LineOfFile(3, 5));
  m_files.Fail("create-new");
  storeAndWait("four");
  EXPECT_EQ(2, told);
}

// What the reminders take from the session: the month on display with what
// was stored, and a month left that its file does not hold yet.
TEST_F(MonthSessionTest, TheMonthsItHoldsWithWhatIsNotWrittenYet) {
  MonthTable table;
  EXPECT_FALSE(m_session.CopyHeldMonth(2010, 3, table)) << "nothing on display";
  m_session.OpenToday(m_host);
  Type("typed");
  ASSERT_TRUE(m_session.CopyHeldMonth(2010, 3, table));
  EXPECT_STREQ("typed", table.Day(5).szLine[0]);
  EXPECT_FALSE(m_session.CopyHeldMonth(2011, 3, table));
  std::atomic<int> attempts{0};
  m_files.BeforeCreate([&] { ++attempts; });
  m_files.Fail("create-new");
  ASSERT_TRUE(m_session.Step(m_host, 1).stepped);
  for (int wait = 0; wait < 500 && attempts == 0; ++wait) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  ASSERT_TRUE(m_session.CopyHeldMonth(2010, 3, table)) << "left, its write failed";
  EXPECT_STREQ("typed", table.Day(5).szLine[0]);
  EXPECT_TRUE(m_session.CopyHeldMonth(2010, 4, table));
  m_files.Heal();
  EXPECT_EQ(MonthSaveOutcome::kWritten, m_session.Save());
  EXPECT_FALSE(m_session.CopyHeldMonth(2010, 3, table)) << "its file holds it now";
  m_session.Close();
  EXPECT_FALSE(m_session.CopyHeldMonth(2010, 4, table));
}

// The window's thread stores and changes months, the writer writes behind
// it, the host's thread saves on and on, and the disk is slow: the file
// never goes back to an older table, and ends with the last.
TEST_F(MonthSessionTest, AnOlderTableNeverLandsAfterANewerOne) {
  CMonthSession session(m_files, "Plannix", '/', std::chrono::milliseconds(1));
  m_files.BeforeCreate([] { std::this_thread::sleep_for(std::chrono::microseconds(std::rand() % 700)); });
  session.OpenToday(m_host);
  std::atomic<bool> done{false};
  std::atomic<int> wentBack{0};
  std::thread hostThread([&] {
    while (!done) session.Save();
  });
  std::thread reader([&] {
    int seen = 0;
    while (!done) {
      const std::string line = LineOfFile(3, 5);
      const int number = line.empty() ? 0 : std::stoi(line);
      if (number < seen) ++wentBack;
      seen = std::max(seen, number);
    }
  });
  for (int number = 1; number <= 1000; ++number) {
    char stored[kLineSize];
    ASSERT_TRUE(session.StoreLine(0, std::to_string(number).c_str(), stored));
    std::this_thread::sleep_for(std::chrono::microseconds(100));
    if (number % 100 == 0) {
      session.Step(m_host, 1);
      session.Step(m_host, -1);
      session.SelectDay(5, 5);
    }
  }
  done = true;
  hostThread.join();
  reader.join();
  ASSERT_TRUE(Written(session));
  EXPECT_EQ(0, wentBack);
  EXPECT_EQ("1000", LineOfFile(3, 5));
}

// What an interrupted save left is settled as the month opens: a finished
// copy beside a month file a rewrite cut short comes back.
TEST_F(MonthSessionTest, ACopyLeftBesideTheMonthIsSettledAsItOpens) {
  std::filesystem::create_directory(m_scratch.Path("Plannix/~saving"));
  MonthTable table = {};
  SetDayLine(table.Day(5), 0, "saved before the power cut");
  const std::string copy = FormatMonthFile(table, [] { return 31; });
  CMonthFileScratch::WriteAll(m_scratch.Path("Plannix/~saving/schedule2010_03.dat"), copy);
  CMonthFileScratch::WriteAll(MonthPath(3), copy.substr(0, 200));
  ASSERT_EQ(MonthFileState::kRead, m_session.OpenToday(m_host));
  EXPECT_STREQ("saved before the power cut", m_session.Day(5).szLine[0]);
  EXPECT_EQ("", m_session.KeptCopy());
}

// The other PC's copy of the month, put in place as sync clients do: written
// beside the file, then moved over it.
void ArriveFromElsewhere(const std::string& path, int day, int line, const char* text) {
  MonthTable table;
  ReadMonthFile(table, path.c_str());
  SetDayLine(table.Day(day), line, text);
  CMonthFileScratch::WriteAll(path + ".sync-tmp", FormatMonthFile(table, [] { return 31; }));
  std::filesystem::rename(path + ".sync-tmp", path);
}

// Every write, of the month on display or of a month left for the writer,
// reads the file again and merges what changed there: nothing is written over.
TEST_F(MonthSessionTest, AWriteOverAFileThatChangedIsAlwaysAMerge) {
  for (const bool left : {false, true}) {
    SCOPED_TRACE(left ? "a month left" : "the month on display");
    WriteMonth(3, "base");
    CMonthSession session(m_files, "Plannix", '/', std::chrono::milliseconds(10), std::chrono::hours(1));
    session.OpenToday(m_host);
    char stored[kLineSize];
    ASSERT_TRUE(session.StoreLine(1, "typed here", stored));
    ArriveFromElsewhere(MonthPath(3), 20, 0, "typed there");
    if (left) {
      session.Step(m_host, 1);
      ASSERT_TRUE(Written(session));
    } else {
      EXPECT_EQ(MonthSaveOutcome::kWritten, session.Save());
      EXPECT_STREQ("typed there", session.Day(20).szLine[0]);
    }
    MonthTable file;
    ReadMonthFile(file, MonthPath(3).c_str());
    EXPECT_STREQ("base", file.Day(5).szLine[0]);
    EXPECT_STREQ("typed here", file.Day(5).szLine[1]);
    EXPECT_STREQ("typed there", file.Day(20).szLine[0]);
  }
}

// A file that arrives shows soon, merged with what is still unwritten here,
// and taking it in writes nothing; two different changes of one field both stay.
TEST_F(MonthSessionTest, WhatArrivesIsTakenInWithoutAWrite) {
  WriteMonth(3, "base");
  CMonthSession session(m_files, "Plannix", '/', std::chrono::hours(1), std::chrono::milliseconds(20));
  std::atomic<int> arrivals{0};
  session.SetArrivalListener([&] { ++arrivals; });
  session.OpenToday(m_host);
  const unsigned created = m_files.Created();
  ArriveFromElsewhere(MonthPath(3), 20, 0, "typed there");
  for (int wait = 0; wait < 200 && arrivals == 0; ++wait) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  ASSERT_EQ(1, arrivals.load());
  EXPECT_EQ(DayMask{1} << 19, session.TakeInArrived());
  EXPECT_STREQ("typed there", session.Day(20).szLine[0]);
  EXPECT_FALSE(session.HasUnwritten());
  EXPECT_EQ(created, m_files.Created());

  char stored[kLineSize];
  ASSERT_TRUE(session.StoreLine(0, "changed here", stored));
  ArriveFromElsewhere(MonthPath(3), 5, 0, "changed there");
  for (int wait = 0; wait < 200 && arrivals == 1; ++wait) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_EQ(DayMask{1} << 4, session.TakeInArrived());
  EXPECT_STREQ("changed here", session.Day(5).szLine[0]);
  EXPECT_STREQ("changed there", session.Day(5).szLine[1]);
  EXPECT_TRUE(session.HasUnwritten());
  EXPECT_EQ(MonthSaveOutcome::kWritten, session.Save());
  EXPECT_EQ("changed there", [&] {
    MonthTable file;
    ReadMonthFile(file, MonthPath(3).c_str());
    return std::string(file.Day(5).szLine[1]);
  }());
}

// A file that cannot be read again before a write is never written blind.
TEST_F(MonthSessionTest, AFileThatCannotBeReadAgainIsNotWritten) {
  WriteMonth(3, "base");
  CMonthSession session(m_files, "Plannix", '/', std::chrono::hours(1), std::chrono::hours(1));
  session.OpenToday(m_host);
  char stored[kLineSize];
  ASSERT_TRUE(session.StoreLine(1, "typed", stored));
  ArriveFromElsewhere(MonthPath(3), 20, 0, "there");
  m_files.Fail("open-read");
  EXPECT_EQ(MonthSaveOutcome::kFailed, session.Save());
  m_files.Heal();
  EXPECT_EQ(MonthSaveOutcome::kWritten, session.Save());
  EXPECT_EQ("there", LineOfFile(3, 20));
}

}  // namespace
