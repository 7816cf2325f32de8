// Median time of one month change in the open window (save, load, day page,
// repaint, all done), over full months next to empty months as the reference.
// Each change goes on to a month not shown before, with texts of its own, so
// that nothing a window keeps between paints makes a change look cheaper.
#include <cstdio>
#include <string>
#include <vector>

#include "bench/windows/WindowTiming.h"
#include "win/Text.h"

namespace {

constexpr int kRounds = 40;
constexpr double kRatioGoal = 2.0;
constexpr double kFullChangeGoalUs = 16000;

// Every text at its length, headed by its month, day and line.
std::string FullText(int monthIndex, int day, int line, size_t length, char filler) {
  char head[32];
  std::snprintf(head, sizeof head, "%d.%d.%d ", monthIndex, day, line);
  std::string text = head;
  text.resize(length, filler);
  return text;
}

MonthTable FullMonth(int monthIndex) {
  MonthTable month = {};
  for (int day = 1; day <= kDaysInTable; ++day) {
    for (int line = 0; line < kLineCount; ++line) {
      SetDayLine(month.Day(day), line, FullText(monthIndex, day, line, 100, 'x').c_str());
    }
    SetDayMemo(month.Day(day), FullText(monthIndex, day, kLineCount, 250, 'm').c_str());
    month.Day(day).nSeal[0] = 1;
  }
  return month;
}

// From March 2010 forward month by month, every month full or every one empty.
double MedianChange(bool full) {
  CToolHarness harness;
  if (full) {
    CreateDirectoryW(WidenCp932(harness.ToolFolder().c_str()).c_str(), nullptr);
    for (int index = 0; index <= kRounds; ++index) {
      WriteMonthFile(FullMonth(index), MonthPathAfterToday(harness, index).c_str(), [] { return 31; });
    }
  }
  if (!harness.Open()) return -1;
  ShowWindow(harness.Window(), SW_SHOWNOACTIVATE);
  std::vector<double> samples;
  for (int round = 0; round < kRounds; ++round) samples.push_back(MicrosecondsOfMonthStep(harness, -1));
  harness.Close();
  return Median(samples);
}

}  // namespace

int main() {
  double full = MedianChange(true);
  double empty = MedianChange(false);
  std::printf("month change, full months:  median %.0f us over %d changes (goal <= %.0f us)\n", full, kRounds,
              kFullChangeGoalUs);
  std::printf("month change, empty months: median %.0f us (reference)\n", empty);
  std::printf("full / empty: %.2f (goal <= %.0f)\n", empty > 0 ? full / empty : 0.0, kRatioGoal);
  return full < 0 || empty < 0 ? 1 : 0;
}
