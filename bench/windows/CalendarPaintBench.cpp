// The time of one whole calendar paint (WM_PRINTCLIENT into a bitmap, host
// questions and pictures included): a busy month next to an empty month as
// the reference, and a bare fill of the same area.
#include <algorithm>
#include <cstdio>
#include <vector>

#include "bench/windows/WindowTiming.h"
#include "data/MonthFile.h"
#include "tests/windows/ToolHarness.h"
#include "win/Text.h"

namespace {

constexpr int kRounds = 200;
constexpr double kRatioGoal = 2.0;
constexpr double kBusyPaintGoalMs = 8.0;

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// A busy month: every day with three seals, a memo and five lines.
MonthTable BusyMonth() {
  MonthTable month = {};
  for (int day = 1; day <= 31; ++day) {
    DayRecord& record = month.Day(day);
    record.nSeal[0] = 6;
    record.nSeal[1] = 38;
    record.nSeal[2] = 14;
    SetDayMemo(record, "メモ");
    for (int line = 0; line < kLineCount; ++line) SetDayLine(record, line, "打ち合わせ 10:00 会議室");
  }
  return month;
}

// A bitmap like the screen's to paint into.
class CCanvas {
 public:
  CCanvas(int width, int height) : m_screen(GetDC(nullptr)), m_dc(CreateCompatibleDC(m_screen)) {
    m_bitmap = CreateCompatibleBitmap(m_screen, width, height);
    m_old = SelectObject(m_dc, m_bitmap);
  }
  CCanvas(const CCanvas&) = delete;
  CCanvas& operator=(const CCanvas&) = delete;
  ~CCanvas() {
    SelectObject(m_dc, m_old);
    DeleteObject(m_bitmap);
    DeleteDC(m_dc);
    ReleaseDC(nullptr, m_screen);
  }
  HDC Dc() const { return m_dc; }

 private:
  HDC m_screen;
  HDC m_dc;
  HBITMAP m_bitmap = nullptr;
  HGDIOBJ m_old = nullptr;
};

// Median seconds of one paint of January 2011, busy or without a month file:
// other programs on the machine stretch single paints, not the median. The
// first paint is left out: it loads what a window keeps.
double SecondsPerPaint(bool busy, double* fillSeconds) {
  CToolHarness harness(CToolHarness::MakeDate(2011, 1, 12));
  CreateDirectoryW(WidenCp932(harness.ToolFolder().c_str()).c_str(), nullptr);
  if (busy && WriteMonthFile(BusyMonth(), harness.MonthFilePath(2011, 1).c_str(), [] { return 31; }) != 1) return -1;
  if (!harness.Open()) return -1;
  HWND window = harness.Window();
  RECT client;
  GetClientRect(window, &client);
  CCanvas canvas(client.right, client.bottom);
  const WPARAM dc = reinterpret_cast<WPARAM>(canvas.Dc());
  SendMessageW(window, WM_PRINTCLIENT, dc, PRF_CLIENT);

  LARGE_INTEGER start, end;
  std::vector<double> paints;
  for (int i = 0; i < kRounds; ++i) {
    QueryPerformanceCounter(&start);
    SendMessageW(window, WM_PRINTCLIENT, dc, PRF_CLIENT);
    QueryPerformanceCounter(&end);
    paints.push_back(Seconds(start, end));
  }
  const double paint = Median(paints);

  if (fillSeconds != nullptr) {
    const RECT& area = harness.Tool()->m_calendarRect;
    QueryPerformanceCounter(&start);
    for (int i = 0; i < kRounds; ++i) {
      FillSolidRect(canvas.Dc(), area, RGB(255, 255, 200));
      GdiFlush();
    }
    QueryPerformanceCounter(&end);
    *fillSeconds = Seconds(start, end) / kRounds;
  }
  harness.Close();
  return paint;
}

}  // namespace

int main() {
  double fill = 0;
  const double busy = SecondsPerPaint(true, &fill);
  const double empty = SecondsPerPaint(false, nullptr);
  if (busy < 0 || empty < 0) {
    std::fprintf(stderr, "the schedule window did not open\n");
    return 1;
  }
  std::printf("calendar paint, busy month:  median %6.3f ms of %d paints (goal <= %.0f ms)\n", busy * 1000, kRounds,
              kBusyPaintGoalMs);
  std::printf("calendar paint, empty month: median %6.3f ms (reference)\n", empty * 1000);
  std::printf("bare fill, same area:        mean   %6.3f ms\n", fill * 1000);
  std::printf("busy / empty: %.2f (goal <= %.0f)\n", empty > 0 ? busy / empty : 0.0, kRatioGoal);
  std::printf("busy / bare fill: %.0f\n", fill > 0 ? busy / fill : 0.0);
  return 0;
}
