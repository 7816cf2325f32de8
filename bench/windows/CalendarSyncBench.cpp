// The calendar sync of a book of 5,000 lines (or as many as asked) with a
// local Radicale: the first sync, run by the open window's own sync thread,
// against a minute; a sync with nothing changed against a second; and a
// click on a day of the window, timed to its end, against one frame, with
// no sync running and all through the first sync.
// Run by bench/windows/calendar-sync-under-wine, which starts the server and
// hands the calendar's address over in PLANNIX_BENCH_CALENDAR.
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "bench/windows/WindowTiming.h"
#include "calendar/CalendarFacts.h"
#include "sync/win/CredentialStore.h"
#include "sync/win/PcSync.h"
#include "sync/win/SyncAccount.h"
#include "win/Text.h"

namespace {

constexpr int kDefaultLines = 5000;  // from 1 January 2026, five a day
constexpr int kFirstYear = 2026;
constexpr int kBaselineClicks = 100;
// However slow the server, the first sync is waited for this long.
constexpr double kLongestWaitUs = 3600e6;
constexpr double kFirstSyncGoalUs = 60e6;
constexpr double kQuietSyncGoalUs = 1e6;
// 16 December 2026, and a cell of any month: row 2, column 3.
constexpr POINT kDayCell = {200 + 79 * 3 + 40, 5 + 17 + 95 * 2 + 47};

int WriteBook(const CToolHarness& harness, int days) {
  int lines = 0;
  int day = DayNumberOf(kFirstYear, 1, 1);
  const int end = day + days;
  while (day < end) {
    const CalendarDate first = DateOfDayNumber(day);
    MonthTable month = {};
    const int days = DaysInMonth(first.year, first.month);
    for (int d = first.day; d <= days && day < end; ++d, ++day) {
      for (int line = 0; line < kLineCount; ++line) {
        char text[64];
        std::snprintf(text, sizeof text, "%02d:00 %04d-%02d-%02d line %d", 9 + line, first.year, first.month, d,
                      line + 1);
        SetDayLine(month.Day(d), line, text);
        ++lines;
      }
    }
    WriteMonthFile(month, harness.MonthFilePath(first.year, first.month).c_str(), [=] { return days; });
  }
  return lines;
}

// When the last sync of this PC's record ended; 0 before any.
long long LastSyncEnd(const std::string& statePath) {
  SyncResultLine result;
  return ReadSyncResultLine(statePath, result) ? result.utcSeconds : 0;
}

std::vector<double> Clicks(const CToolHarness& harness, const std::function<bool()>& goOn) {
  std::vector<double> clicks;
  while (goOn()) {
    clicks.push_back(MicrosecondsToIdle(harness, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(kDayCell.x, kDayCell.y)));
    CToolHarness::WaitFor([] { return false; }, 50);
  }
  return clicks;
}

void PrintClicks(const char* when, const std::vector<double>& clicks) {
  if (clicks.empty()) return;
  std::printf("  a click on a day %-28s median %6.0f us, longest %6.0f us (goal <= %.0f us), %zu clicks\n", when,
              Median(clicks), *std::max_element(clicks.begin(), clicks.end()), kFrameUs, clicks.size());
}

void Print(const char* what, double us, double goalUs) {
  std::printf("  %-44s %10.0f us (goal <= %.0f us, %.2f of it)\n", what, us, goalUs, us / goalUs);
}

}  // namespace

int main(int argc, char** argv) {
  const char* calendar = std::getenv("PLANNIX_BENCH_CALENDAR");
  const int wanted = argc > 1 ? std::atoi(argv[1]) : kDefaultLines;
  const int days = std::max(1, wanted / kLineCount);
  if (calendar == nullptr) {
    std::fprintf(stderr, "run through bench/windows/calendar-sync-under-wine\n");
    return 2;
  }
  CToolHarness harness(CToolHarness::MakeDate(2026, 12, 9));
  CreateDirectoryW(WidenCp932(harness.ToolFolder().c_str()).c_str(), nullptr);
  const int lines = WriteBook(harness, days);
  SyncSettings settings;
  settings.calendarUrl = calendar;
  // The server takes any sign-in; the calendar is the user's own.
  settings.userName = "bench";
  if (!WriteSyncAccount(harness.ToolFolder(), settings) ||
      !StorePassword(CredentialTarget(calendar, settings.userName), settings.userName, L"bench")) {
    return 1;
  }
  const std::string statePath = ThisPcStatePath(harness.ToolFolder(), calendar);
  const long long before = LastSyncEnd(statePath);

  // With the sync off, what a click costs on this machine now.
  harness.SetSetting(kSyncOnKey, "0");
  if (!harness.Open()) return 1;
  ShowWindow(harness.Window(), SW_SHOWNOACTIVATE);
  int left = kBaselineClicks;
  const std::vector<double> baseline = Clicks(harness, [&] { return left-- > 0; });
  harness.Close();

  // The window syncs as it opens; it is clicked on all the while.
  harness.SetSetting(kSyncOnKey, "1");
  CStopwatch firstSync;
  if (!harness.Open()) return 1;
  ShowWindow(harness.Window(), SW_SHOWNOACTIVATE);
  const std::vector<double> clicks =
      Clicks(harness, [&] { return LastSyncEnd(statePath) == before && firstSync.Microseconds() < kLongestWaitUs; });
  const double firstUs = firstSync.Microseconds();

  // Nothing changed since: the same sync again, beside the open window.
  CPcSync sync;
  PcSyncRequest request;
  request.bookFolder = harness.ToolFolder();
  request.enabled = true;
  request.todayDayNumber = DayNumberOf(2026, 12, 9);
  CStopwatch quietSync;
  const PcSyncResult quiet = sync.Run(request);
  const double quietUs = quietSync.Microseconds();
  harness.Close();

  // The engine's line as it is, UTF-8.
  std::printf("a book of %d lines on %d days, synced with a local Radicale (%s)\n", lines, days, quiet.line.c_str());
  Print("first sync, from the window's opening:", firstUs, kFirstSyncGoalUs);
  Print("a sync with nothing changed:", quietUs, kQuietSyncGoalUs);
  std::printf("  %d requests in the sync with nothing changed\n", quiet.outcome.counts.requests);
  PrintClicks("with no sync:", baseline);
  PrintClicks("during the first sync:", clicks);
  return quiet.start == PcSyncStart::kRan ? 0 : 1;
}
