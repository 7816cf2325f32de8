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
  const char* fault;  // fails always
  MonthFileState state;
  MonthSaveOutcome saved;
};

const OpenCase kOpenCases[] = {
    {true, "", MonthFileState::kRead, MonthSaveOutcome::kWritten},
    {false, "", MonthFileState::kAbsent, MonthSaveOutcome::kWritten},
    {true, "open-read", MonthFileState::kUnreadable, MonthSaveOutcome::kProtected},
    {true, "read", MonthFileState::kUnreadable, MonthSaveOutcome::kProtected},
    {true, "create-hidden", MonthFileState::kRead, MonthSaveOutcome::kFailed},
};

// What the month shows, takes and writes after each way its file can be,
// and that nothing is saved before a month is open or after it closed.
TEST_F(MonthSessionTest, EveryOutcomeOfOpeningAndSaving) {
  EXPECT_EQ(MonthSaveOutcome::kNotOpen, m_session.Save(m_host));
  for (const OpenCase& c : kOpenCases) {
    SCOPED_TRACE(std::string(c.fault) + (c.fileThere ? "" : " absent"));
    std::filesystem::remove(MonthPath(3));
    if (c.fileThere) WriteMonth(3, std::string(200, 'x'));
    const std::string before = CMonthFileScratch::ReadAll(MonthPath(3));
    m_files.Heal();
    m_files.Fail(c.fault);

    EXPECT_EQ(c.state, m_session.OpenToday(m_host));
    MonthView view = m_session.View();
    EXPECT_EQ(2010 * 10000 + 3 * 100 + 5, view.year * 10000 + view.month * 100 + view.selectedDay);
    EXPECT_EQ(c.state == MonthFileState::kRead ? std::string(127, 'x') : "", m_session.Day(5).szLine[0]);
    const bool readable = c.state != MonthFileState::kUnreadable;
    EXPECT_EQ(readable, Type("typed"));
    EXPECT_EQ(readable, m_session.StoreMemo("memo"));
    EXPECT_EQ(readable, m_session.StoreSeal(0, 6));

    EXPECT_EQ(c.saved, m_session.Save(m_host));
    if (c.saved == MonthSaveOutcome::kWritten) {
      EXPECT_EQ("typed", LineOfFile(3, 5));
    } else {
      EXPECT_EQ(before, CMonthFileScratch::ReadAll(MonthPath(3)));
    }
    m_session.Close();
    EXPECT_EQ(MonthSaveOutcome::kNotOpen, m_session.Save(m_host));
    EXPECT_FALSE(Type("lost"));
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
