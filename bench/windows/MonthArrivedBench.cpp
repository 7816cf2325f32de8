// A full month arriving in the file of the month on display (the other PC's
// copy through a sync client): what the window's own thread spends taking
// it in and showing it, against one frame; and what the watching costs
// while nothing changes (one look at the file and its folder each second).
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "bench/windows/WindowTiming.h"
#include "data/FileSystem.h"
#include "win/Text.h"

namespace {

constexpr int kRounds = 15;
constexpr int kQuietLooks = 2000;

// Written beside the file and moved over it, as sync clients put a file in place.
bool Arrive(const std::string& path, const MonthTable& month) {
  const std::string beside = path + ".sync-tmp";
  return WriteMonthFile(month, beside.c_str(), [] { return 31; }) == 1 &&
         MoveFileExW(WidenCp932(beside.c_str()).c_str(), WidenCp932(path.c_str()).c_str(), MOVEFILE_REPLACE_EXISTING);
}

}  // namespace

int main() {
  CToolHarness harness;
  CreateDirectoryW(WidenCp932(harness.ToolFolder().c_str()).c_str(), nullptr);
  const std::string path = harness.MonthFilePath(2010, 3);
  WriteMonthFile(FullMonthNumbered(0), path.c_str(), [] { return 31; });
  if (!harness.Open()) return 1;
  ShowWindow(harness.Window(), SW_SHOWNOACTIVATE);
  // The window is told by hand, once the session has seen what arrived.
  std::atomic<bool> arrived{false};
  harness.Tool()->m_session.SetArrivalListener([&] { arrived = true; });
  // A whole month written anew (the worst), then one line of one day (the usual).
  std::vector<double> wholeMonths, oneLines;
  for (int round = 1; round <= 2 * kRounds; ++round) {
    const bool whole = round % 2 == 1;
    MonthTable month = FullMonthNumbered(round);
    if (!whole) {
      month = FullMonthNumbered(round - 1);
      SetDayLine(month.Day(20), 2, "one line from the other PC");
    }
    arrived = false;
    if (!Arrive(path, month)) return 1;
    if (!CToolHarness::WaitFor([&] { return arrived.load(); }, 5000)) return 1;
    (whole ? wholeMonths : oneLines).push_back(MicrosecondsToIdle(harness, WM_TOOL_MONTHARRIVED, 0, 0));
  }
  harness.Close();

  IFileSystem& files = SystemFileSystem();
  CStopwatch quiet;
  for (int look = 0; look < kQuietLooks; ++look) {
    files.Stamp(path.c_str());
    files.Stamp(harness.ToolFolder().c_str());
  }
  const double lookUs = quiet.Microseconds() / kQuietLooks;

  std::printf("what arrived in a full month's file, %d rounds each: taken in and shown on the window's thread\n",
              kRounds);
  for (const auto& kind :
       {std::make_pair("one line of one day:", &oneLines), std::make_pair("every line of every day:", &wholeMonths)}) {
    std::printf("  %-26s median %6.0f us, longest %6.0f us (goal <= %.0f us, one frame)\n", kind.first,
                Median(*kind.second), *std::max_element(kind.second->begin(), kind.second->end()), kFrameUs);
  }
  std::printf("watching while nothing changes: %.1f us a second on the writer's thread (%.4f %% of it)\n", lookUs,
              lookUs / 1e4);
  return 0;
}
