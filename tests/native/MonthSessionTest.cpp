#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>
#include <future>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "FaultyFileSystem.h"
#include "MonthFileScratch.h"
#include "host/core/HostServices.h"
#include "host/core/MemorySettingsStore.h"
#include "ui/core/MonthSession.h"

namespace {

// The host's services on 5 March 2010, or on 5 April 2010 once the day has
// moved on; whatever is set in onAnswer runs as the host answers.
class CTestHost : public CToolHost {
 public:
  explicit CTestHost(const std::string& dataDirectory)
      : m_march(m_store, dataDirectory, DateRecord{2010, 3, 0, 5}),
        m_april(m_store, dataDirectory, DateRecord{2010, 4, 0, 5}) {}

  int GetSetting(int toolId, const char* key, char* value) override { return Today().GetSetting(toolId, key, value); }
  int SetSetting(int toolId, const char* key, const char* value) override {
    return Today().SetSetting(toolId, key, value);
  }
  const char* GetDataDirectory(int a, int b) override {
    Answering();
    return Today().GetDataDirectory(a, b);
  }
  intptr_t CalendarQuery(int code, intptr_t a, intptr_t b) override {
    Answering();
    return Today().CalendarQuery(code, a, b);
  }
  int HolidayQuery(int code, int a, int b, int c) override { return Today().HolidayQuery(code, a, b, c); }

  std::atomic<bool> m_inApril{false};
  std::function<void()> m_onAnswer;

 private:
  CHostServices& Today() { return m_inApril ? m_april : m_march; }
  void Answering() {
    if (m_onAnswer) m_onAnswer();
  }

  CMemorySettingsStore m_store;
  CHostServices m_march;
  CHostServices m_april;
};

class MonthSessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_scratch.Ok());
    std::filesystem::create_directory(m_scratch.Path("Plannix"));
  }

  std::string MonthPath(int month) const {
    char name[32];
    std::snprintf(name, sizeof name, "Plannix/schedule2010_%02d.dat", month);
    return m_scratch.Path(name);
  }
  // A month file of 2010 whose day 5 holds the text in its first line.
  void WriteMonth(int month, const char* text) const {
    MonthTable table;
    ClearMonth(table);
    SetDayLine(table.Day(5), 0, text);
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
  CTestHost m_host{m_scratch.Path("")};
  CFaultyFileSystem m_files;
  CMonthSession m_session{m_files, "Plannix", '/'};
};

using Faults = std::vector<std::pair<const char*, int>>;

struct OpenCase {
  const char* name;
  bool fileThere;
  Faults faults;
  MonthFileState state;
  MonthSaveOutcome saved;
};

const OpenCase kOpenCases[] = {
    {"read", true, {}, MonthFileState::kRead, MonthSaveOutcome::kWritten},
    {"absent", false, {}, MonthFileState::kAbsent, MonthSaveOutcome::kWritten},
    {"refused", true, {{"open-read", CFaultyFileSystem::kAlways}}, MonthFileState::kUnreadable,
     MonthSaveOutcome::kProtected},
    {"failsHalfway", true, {{"read", CFaultyFileSystem::kAlways}}, MonthFileState::kUnreadable,
     MonthSaveOutcome::kProtected},
    {"notWritable", true, {{"create-hidden", CFaultyFileSystem::kAlways}}, MonthFileState::kRead,
     MonthSaveOutcome::kFailed},
};

// What the month shows, takes and writes after each way its file can be.
TEST_F(MonthSessionTest, EveryOutcomeOfOpeningAndSaving) {
  for (const OpenCase& c : kOpenCases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(MonthPath(3));
    if (c.fileThere) WriteMonth(3, std::string(200, 'x').c_str());
    const std::string before = CMonthFileScratch::ReadAll(MonthPath(3));
    m_files.Heal();
    for (const auto& fault : c.faults) m_files.Fail(fault.first, fault.second);

    EXPECT_EQ(c.state, m_session.OpenToday(m_host));
    MonthView view = m_session.View();
    EXPECT_EQ(2010, view.year);
    EXPECT_EQ(3, view.month);
    EXPECT_EQ(5, view.selectedDay);
    const bool readable = c.state != MonthFileState::kUnreadable;
    EXPECT_EQ(c.state == MonthFileState::kRead ? std::string(127, 'x') : "", m_session.Day(5).szLine[0]);
    EXPECT_EQ(readable, Type("typed"));
    EXPECT_EQ(readable, m_session.StoreMemo("memo"));
    EXPECT_EQ(readable, m_session.StoreSeal(0, 6));

    EXPECT_EQ(c.saved, m_session.Save(m_host));
    if (c.saved == MonthSaveOutcome::kWritten) {
      EXPECT_EQ("typed", LineOfFile(3, 5));
      EXPECT_EQ(MonthFileState::kWritten, m_session.View().fileState);
    } else {
      EXPECT_EQ(before, CMonthFileScratch::ReadAll(MonthPath(3)));
    }
    m_session.Close();
  }
}

TEST_F(MonthSessionTest, NothingIsSavedBeforeAMonthIsOpenOrAfterItClosed) {
  EXPECT_EQ(MonthSaveOutcome::kNotOpen, m_session.Save(m_host));
  EXPECT_FALSE(Type("lost"));
  m_session.OpenToday(m_host);
  m_session.Close();
  EXPECT_EQ(MonthSaveOutcome::kNotOpen, m_session.Save(m_host));
  EXPECT_FALSE(std::filesystem::exists(MonthPath(3)));
}

TEST_F(MonthSessionTest, AMonthRefusedOnceIsReadWhenShownAgain) {
  WriteMonth(3, "dentist");
  m_files.Fail("open-read");
  ASSERT_EQ(MonthFileState::kUnreadable, m_session.OpenToday(m_host));
  MonthStepOutcome away = m_session.Step(m_host, 1);
  EXPECT_EQ(MonthSaveOutcome::kProtected, away.saved);
  EXPECT_TRUE(away.stepped);
  EXPECT_EQ(MonthFileState::kAbsent, away.opened);
  EXPECT_EQ(1, m_session.View().selectedDay);

  m_files.Heal();
  MonthStepOutcome back = m_session.Step(m_host, -1);
  EXPECT_EQ(MonthFileState::kRead, back.opened);
  EXPECT_STREQ("dentist", m_session.Day(5).szLine[0]);
  EXPECT_TRUE(Type("typed on day 1"));
  m_session.Step(m_host, 12);
  EXPECT_EQ(2011, m_session.View().year);
  EXPECT_EQ("dentist", LineOfFile(3, 5));
  EXPECT_EQ("typed on day 1", LineOfFile(3, 1));
}

TEST_F(MonthSessionTest, AMonthThatCouldNotBeSavedStaysWithItsEdits) {
  m_session.OpenToday(m_host);
  Type("deadline");
  m_files.Fail("create-hidden", 1);
  MonthStepOutcome refused = m_session.Step(m_host, 1);
  EXPECT_EQ(MonthSaveOutcome::kFailed, refused.saved);
  EXPECT_FALSE(refused.stepped);
  EXPECT_EQ(3, m_session.View().month);
  EXPECT_STREQ("deadline", m_session.Day(5).szLine[0]);
  EXPECT_TRUE(m_session.Step(m_host, 1).stepped);
  EXPECT_EQ("deadline", LineOfFile(3, 5));
}

// The window closed in March and opened again in April while the host's
// thread saves on and on: April's file never gets March's table.
TEST_F(MonthSessionTest, ReopeningWhileTheHostSavesNeverWritesTheOldMonthIntoTodays) {
  WriteMonth(4, "april");
  const std::string april = CMonthFileScratch::ReadAll(MonthPath(4));
  for (int round = 0; round < 20; ++round) {
    m_host.m_inApril = false;
    m_session.OpenToday(m_host);
    Type("march");
    m_session.Save(m_host);
    m_session.Close();

    std::atomic<bool> done{false};
    std::thread hostThread([&] {
      while (!done) m_session.Save(m_host);
    });
    m_host.m_inApril = true;
    // The host takes its time over every answer of the new window.
    m_host.m_onAnswer = [] { std::this_thread::sleep_for(std::chrono::microseconds(300)); };
    m_session.OpenToday(m_host);
    m_host.m_onAnswer = nullptr;
    done = true;
    hostThread.join();
    ASSERT_EQ(april, CMonthFileScratch::ReadAll(MonthPath(4))) << round;
    ASSERT_EQ("march", LineOfFile(3, 5)) << round;
    m_session.Close();
  }
}

// A host that saves from its own thread while it answers the window's
// questions, and waits for that save: no lock may be held across a call out.
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
  m_session.Save(m_host);
  m_host.m_onAnswer = nullptr;
  for (std::thread& save : saves) save.join();
  EXPECT_EQ(0, stuck);
  EXPECT_GT(saves.size(), 20u);
  EXPECT_EQ("typed", LineOfFile(3, 5));
}

}  // namespace
