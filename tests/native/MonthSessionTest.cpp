#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "FaultyFileSystem.h"
#include "MonthFileScratch.h"
#include "host/core/HostServices.h"
#include "host/core/MemorySettingsStore.h"
#include "ui/core/MonthSession.h"

namespace {

// The host's services; whatever is set in m_onAnswer runs as it answers.
class CAnsweringHost : public CHostServices {
 public:
  using CHostServices::CHostServices;
  const char* GetDataDirectory(int a, int b) override {
    if (m_onAnswer) m_onAnswer();
    return CHostServices::GetDataDirectory(a, b);
  }
  intptr_t CalendarQuery(int code, intptr_t a, intptr_t b) override {
    if (m_onAnswer) m_onAnswer();
    return CHostServices::CalendarQuery(code, a, b);
  }
  std::function<void()> m_onAnswer;
};

class MonthSessionTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(std::filesystem::create_directory(m_scratch.Path("Plannix"))); }

  std::string MonthPath(int month) const {
    return m_scratch.Path("Plannix/schedule2010_0" + std::to_string(month) + ".dat");
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
    {true, "create-hidden", kAlways, MonthFileState::kRead, MonthSaveOutcome::kFailed, 0},
};

// What the month shows, takes and writes after each way its file can be,
// and that nothing is saved before a month is open or after it closed. A
// file that cannot be read is tried for a second, then never written.
TEST_F(MonthSessionTest, EveryOutcomeOfOpeningAndSaving) {
  EXPECT_EQ(MonthSaveOutcome::kNotOpen, m_session.Save(m_host));
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
    EXPECT_EQ(readable, session.StoreMemo("memo"));
    EXPECT_EQ(readable, session.StoreSeal(0, 6));

    EXPECT_EQ(c.saved, session.Save(m_host));
    if (c.saved == MonthSaveOutcome::kWritten) {
      EXPECT_EQ("typed", LineOfFile(3, 5));
    } else {
      EXPECT_EQ(before, CMonthFileScratch::ReadAll(MonthPath(3)));
    }
    session.Close();
    EXPECT_EQ(MonthSaveOutcome::kNotOpen, session.Save(m_host));
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
  EXPECT_EQ("dentist", LineOfFile(3, 5));
  EXPECT_EQ("typed on day 1", LineOfFile(3, 1));
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
    m_session.Save(m_host);
    m_session.Close();
    std::atomic<bool> done{false};
    std::thread hostThread([&] {
      while (!done) m_session.Save(m_host);
    });
    m_session.OpenToday(april);
    done = true;
    hostThread.join();
    ASSERT_EQ(aprilBytes, CMonthFileScratch::ReadAll(MonthPath(4))) << round;
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
      m_session.Save(m_host);
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
  EXPECT_EQ("typed", LineOfFile(3, 5));
}

}  // namespace
