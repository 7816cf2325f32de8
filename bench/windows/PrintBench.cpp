// Printing under Wine through a real printer (bench/windows/print-under-cups
// gives it a private CUPS): the month on display, every line of every day
// full, as a calendar; a year of days as a diary, each day with two lines,
// a memo of two rows and on some a seal, with the time its progress window
// takes to come up; and the same for a year whose every line and memo is
// full to its last byte, which Wine's printer driver takes long over (about
// 80 microseconds a character). Each is timed from the request until the
// job has sent its last page to the printer. Goals: the month under 2 s,
// the year under 20 s with its progress shown.
#include <cstdio>
#include <string>
#include <vector>

#include "bench/windows/WindowTiming.h"
#include "tool/PrintRequest.h"
#include "ui/res/PrintResource.h"
#include "win/Text.h"

namespace {

constexpr int kRounds = 3;
constexpr double kMonthGoalUs = 2e6;
constexpr double kYearGoalUs = 20e6;
constexpr int kYear = 2027;

int PrintedEnds(CToolHarness& harness) {
  int ends = 0;
  for (const HostEvent& event : harness.Host().Events()) {
    ends += event.kind == HostEvent::kHostMessage && event.code == static_cast<int>(WM_TOOL_PRINTED);
  }
  return ends;
}

int LastEnd(CToolHarness& harness) {
  int ended = -1;
  for (const HostEvent& event : harness.Host().Events()) {
    if (event.kind == HostEvent::kHostMessage && event.code == static_cast<int>(WM_TOOL_PRINTED)) {
      ended = static_cast<int>(event.a);
    }
  }
  return ended;
}

BOOL CALLBACK MatchProgress(HWND window, LPARAM found) {
  if (IsWindowVisible(window) && GetDlgItem(window, IDC_PRINT_PROGRESS_BAR) != nullptr) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

struct Timing {
  double totalUs = -1;
  double progressUs = -1;  // until the progress window showed; -1 when it never did
};

Timing TimePrint(CToolHarness& harness, const PrintRequest& request) {
  const DWORD uiThread = GetWindowThreadProcessId(harness.Window(), nullptr);
  const int before = PrintedEnds(harness);
  Timing timing;
  CStopwatch watch;
  SendMessageW(harness.Window(), WM_TOOL_PRINT, kPrintWithoutDialogs, reinterpret_cast<LPARAM>(&request));
  CToolHarness::WaitFor(
      [&] {
        if (timing.progressUs < 0) {
          HWND progress = nullptr;
          EnumThreadWindows(uiThread, &MatchProgress, reinterpret_cast<LPARAM>(&progress));
          if (progress != nullptr) timing.progressUs = watch.Microseconds();
        }
        return PrintedEnds(harness) > before;
      },
      120000);
  timing.totalUs = watch.Microseconds();
  return timing;
}

void Report(const char* what, const std::vector<double>& samples, double goal) {
  std::printf("  %-40s median %7.0f ms, longest %7.0f ms (goal < %.0f ms)\n", what, Median(samples) / 1000,
              *std::max_element(samples.begin(), samples.end()) / 1000, goal / 1000);
}

}  // namespace

// A diary's year: two lines and two rows of memo each day, a seal every third day.
MonthTable KeptMonth() {
  MonthTable month = {};
  for (int day = 1; day <= kDaysInTable; ++day) {
    SetDayLine(month.Day(day), 0, "10:00 定例会議 第3会議室");
    SetDayLine(month.Day(day), 1, "19:00 夕食 佐藤さんと駅前で");
    SetDayMemo(month.Day(day), "資料の準備を忘れずに。\r\n帰りに牛乳とパンを買う。");
    if (day % 3 == 0) month.Day(day).nSeal[0] = 14;
  }
  return month;
}

void WriteYear(CToolHarness& harness, int year, bool full) {
  for (int month = 1; month <= 12; ++month) {
    WriteMonthFile(full ? FullMonthNumbered(month) : KeptMonth(), harness.MonthFilePath(year, month).c_str(),
                   [=] { return DaysInMonth(year, month); });
  }
}

int main() {
  CToolHarness harness(CToolHarness::MakeDate(kYear, 1, 15));
  CreateDirectoryW(WidenCp932(harness.ToolFolder().c_str()).c_str(), nullptr);
  WriteYear(harness, kYear, true);
  WriteYear(harness, kYear + 1, false);
  if (!harness.Open()) {
    std::printf("PrintBench: the window did not open\n");
    return 1;
  }
  std::printf("PrintBench: to the default printer, until the last page is sent\n");
  PrintRequest month;
  month.kind = kPrintMonth;
  PrintRequest year;
  year.kind = kPrintDiary;
  year.from = CToolHarness::MakeDate(kYear + 1, 1, 1);
  year.to = CToolHarness::MakeDate(kYear + 1, 12, 31);
  PrintRequest fullYear = year;
  fullYear.from.wYear = fullYear.to.wYear = kYear;
  std::vector<double> months, years, progress, fullYears;
  for (int round = 0; round < kRounds; ++round) {
    months.push_back(TimePrint(harness, month).totalUs);
    if (LastEnd(harness) != kPrintEndPrinted) {
      std::printf("  the month did not print (end %d): is a printer the default?\n", LastEnd(harness));
      return 1;
    }
    const Timing diary = TimePrint(harness, year);
    years.push_back(diary.totalUs);
    progress.push_back(diary.progressUs);
    if (LastEnd(harness) != kPrintEndPrinted) std::printf("  the year did not print (end %d)\n", LastEnd(harness));
  }
  fullYears.push_back(TimePrint(harness, fullYear).totalUs);
  Report("a month as a calendar", months, kMonthGoalUs);
  Report("a year as a diary", years, kYearGoalUs);
  Report("a year full to the last byte, once", fullYears, kYearGoalUs);
  const bool shown = *std::min_element(progress.begin(), progress.end()) >= 0;
  std::printf("  %-40s %s", "the year's progress window", shown ? "shown after" : "never shown!");
  if (shown) std::printf(" %.0f ms (median)", Median(progress) / 1000);
  std::printf("\n");
  harness.Close();
  return Median(months) < kMonthGoalUs && Median(years) < kYearGoalUs && shown ? 0 : 1;
}
