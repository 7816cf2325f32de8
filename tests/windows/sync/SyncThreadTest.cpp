// The window's sync thread against the server that misbehaves on purpose:
// the window's close waits for its sync only so long, and a server that
// keeps failing is told once.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <sstream>
#include <string>

#include "sync/win/SyncAccount.h"
#include "sync/win/SyncThread.h"
#include "win/Text.h"

namespace {

class SyncThreadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* ports = std::getenv("PLANNIX_TEST_PORTS");
    if (ports == nullptr) GTEST_SKIP() << "PLANNIX_TEST_PORTS is not set: run through tests/windows/sync-transport";
    std::istringstream(ports) >> m_port;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    m_folder =
        std::string(NarrowToCp932(temp).c_str()) + "plannix-sync-thread-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryW(WidenCp932(m_folder.c_str()).c_str(), nullptr);
  }
  void TearDown() override {
    DeleteFileW(WidenCp932(SyncAccountPath(m_folder).c_str()).c_str());
    RemoveDirectoryW(WidenCp932((m_folder + "\\sync").c_str()).c_str());
    RemoveDirectoryW(WidenCp932(m_folder.c_str()).c_str());
  }
  // The book's calendar at that path of the test server, with no sign-in.
  void UseCalendar(const std::string& path) {
    SyncSettings settings;
    settings.calendarUrl = "http://127.0.0.1:" + std::to_string(m_port) + path;
    ASSERT_TRUE(WriteSyncAccount(m_folder, settings));
  }
  static SyncFacts On() {
    SyncFacts facts;
    facts.enabled = true;
    facts.todayDayNumber = DayNumberOf(2026, 12, 9);
    return facts;
  }
  // The reports of the next sync to end, within seconds.
  static std::vector<SyncReport> NextReports(CSyncThread& thread) {
    for (int wait = 0; wait < 200; ++wait) {
      std::vector<SyncReport> reports = thread.TakeReports();
      if (!reports.empty()) return reports;
      Sleep(50);
    }
    return {};
  }

  int m_port = 0;
  std::string m_folder;
};

TEST_F(SyncThreadTest, TheClosingWaitsForASlowServerOnlySoLong) {
  UseCalendar("/slow/calendar/");
  CSyncThread thread(m_folder, nullptr);
  thread.Start(On());
  Sleep(300);  // the sync of the opening is under way
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(thread.Finish(std::chrono::milliseconds(1000)));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(2500));
}

TEST_F(SyncThreadTest, AServerThatKeepsFailingIsToldOnce) {
  UseCalendar("/status/503/");
  CSyncThread thread(m_folder, nullptr);
  thread.Start(On());
  std::vector<SyncReport> first = NextReports(thread);
  ASSERT_EQ(first.size(), 1u);
  EXPECT_EQ(first[0].result.start, PcSyncStart::kRan);
  EXPECT_EQ(first[0].result.outcome.result, SyncResult::kFailed);
  EXPECT_TRUE(first[0].tell);
  // Asked again (the pause after a failure does not hold the user back): the same failure, not told again.
  thread.AskNow(On());
  std::vector<SyncReport> second = NextReports(thread);
  ASSERT_EQ(second.size(), 1u);
  EXPECT_TRUE(second[0].asked);
  EXPECT_FALSE(second[0].tell);
  EXPECT_EQ(second[0].result.line, first[0].result.line);
  EXPECT_TRUE(thread.Finish(std::chrono::milliseconds(5000)));
}

TEST_F(SyncThreadTest, NoCalendarIsToldOnceAndOffIsNeverTold) {
  CSyncThread thread(m_folder, nullptr);
  thread.Start(On());
  std::vector<SyncReport> first = NextReports(thread);
  ASSERT_EQ(first.size(), 1u);
  EXPECT_EQ(first[0].result.start, PcSyncStart::kNoCalendar);
  EXPECT_TRUE(first[0].tell);
  thread.AskNow(On());
  std::vector<SyncReport> second = NextReports(thread);
  ASSERT_EQ(second.size(), 1u);
  EXPECT_FALSE(second[0].tell);
  SyncFacts off = On();
  off.enabled = false;
  thread.Update(off);
  thread.Ask(SyncReason::kResumed);
  Sleep(500);
  EXPECT_TRUE(thread.TakeReports().empty());
}

}  // namespace
