// A month change and a click on a day while a month file is being saved in
// the background, each timed to its end (handled, painted, the window idle
// again) against one frame. The save is kept slow the way real life does
// it: a backup client holds the month file left without sharing deletion,
// so the save waits for the replacement, then rewrites the file in place.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/windows/WindowTiming.h"
#include "tests/windows/FileHolder.h"
#include "win/Text.h"

namespace {

constexpr int kRounds = 12;
// 16 March 2010, a Tuesday, and the same cell in any month: row 2, column 2.
constexpr POINT kDayCell = {200 + 79 * 2 + 40, 5 + 17 + 95 * 2 + 47};

double MonthForward(const CToolHarness& harness) { return MicrosecondsOfMonthStep(harness, -1); }

struct Timings {
  std::vector<double> clicks, changes, saves;
  int overlapped = 0;
};

// From the month at index on: into the next month, then a click on a day and
// a change to the month after, timed. With slowSave the month left is held
// by a backup client and its save runs all through both; without, the save
// is over before they begin.
bool Round(CToolHarness& harness, int index, bool slowSave, Timings& timings) {
  CFileHolder backup;
  if (slowSave &&
      !backup.Hold(CFileHolder::kReadSharingReadWrite, WidenCp932(MonthPathAfterToday(harness, index).c_str()))) {
    return false;
  }
  CStopwatch save;
  MonthForward(harness);
  if (!slowSave) CToolHarness::WaitFor([&] { return !harness.Tool()->m_session.HasUnwritten(); }, 10000);
  // The window settles alike in both kinds: the held save goes on for far longer.
  CToolHarness::WaitFor([] { return false; }, 60);
  const bool savingBefore = harness.Tool()->m_session.HasUnwritten();
  timings.clicks.push_back(MicrosecondsToIdle(harness, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(kDayCell.x, kDayCell.y)));
  timings.changes.push_back(MonthForward(harness));
  if (savingBefore && harness.Tool()->m_session.HasUnwritten()) ++timings.overlapped;
  CToolHarness::WaitFor([&] { return !harness.Tool()->m_session.HasUnwritten(); }, 10000);
  if (slowSave) timings.saves.push_back(save.Microseconds());
  return true;
}

void Print(const char* what, const std::vector<double>& samples) {
  std::printf("  %-24s median %6.0f us, longest %6.0f us (goal <= %.0f us)\n", what, Median(samples),
              *std::max_element(samples.begin(), samples.end()), kFrameUs);
}

}  // namespace

int main() {
  CToolHarness harness;
  CreateDirectoryW(WidenCp932(harness.ToolFolder().c_str()).c_str(), nullptr);
  for (int index = 0; index <= 4 * kRounds + 1; ++index) {
    WriteMonthFile(FullMonthNumbered(index), MonthPathAfterToday(harness, index).c_str(), [] { return 31; });
  }
  if (!harness.Open()) return 1;
  ShowWindow(harness.Window(), SW_SHOWNOACTIVATE);
  Timings slow, idle;
  // The two kinds of round in turn, so that the machine's speed wanders alike over both.
  for (int round = 0, index = 0; round < kRounds; ++round, index += 4) {
    if (!Round(harness, index, true, slow) || !Round(harness, index + 2, false, idle)) return 1;
  }
  harness.Close();
  std::printf("full months, %d rounds each; a save held up by a backup client took %.0f us (median)\n", kRounds,
              Median(slow.saves));
  std::printf("with that save running (still running after both in %d of %d rounds):\n", slow.overlapped, kRounds);
  Print("click on a day:", slow.clicks);
  Print("month change:", slow.changes);
  std::printf("with no save running (reference):\n");
  Print("click on a day:", idle.clicks);
  Print("month change:", idle.changes);
  std::printf("what the running save adds: click %+.0f us, month change %+.0f us\n",
              Median(slow.clicks) - Median(idle.clicks), Median(slow.changes) - Median(idle.changes));
  return 0;
}
