// The time of one full calendar paint (WM_PRINTCLIENT into a bitmap, host
// questions and picture loads included) next to a bare fill of the same area.
#include <cstdio>

#include "data/MonthFile.h"
#include "tests/windows/ToolHarness.h"
#include "win/Text.h"

namespace {

constexpr int kRounds = 200;

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

}  // namespace

int main() {
  CToolHarness harness(CToolHarness::MakeDate(2011, 1, 12));
  CreateDirectoryW(WidenCp932(harness.ToolFolder().c_str()).c_str(), nullptr);
  if (WriteMonthFile(BusyMonth(), harness.MonthFilePath(2011, 1).c_str(), [] { return 31; }) != 1 ||
      !harness.Open()) {
    std::fprintf(stderr, "the schedule window did not open\n");
    return 1;
  }
  HWND window = harness.Window();
  RECT client;
  GetClientRect(window, &client);
  HDC screen = GetDC(nullptr);
  HDC canvasDc = CreateCompatibleDC(screen);
  HBITMAP canvas = CreateCompatibleBitmap(screen, client.right, client.bottom);
  HGDIOBJ old = SelectObject(canvasDc, canvas);
  const RECT& area = harness.Tool()->m_calendarRect;

  LARGE_INTEGER start, end;
  QueryPerformanceCounter(&start);
  for (int i = 0; i < kRounds; ++i) {
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvasDc), PRF_CLIENT);
  }
  QueryPerformanceCounter(&end);
  const double paint = Seconds(start, end) / kRounds;

  QueryPerformanceCounter(&start);
  for (int i = 0; i < kRounds; ++i) {
    FillSolidRect(canvasDc, area, RGB(255, 255, 200));
    GdiFlush();
  }
  QueryPerformanceCounter(&end);
  const double fill = Seconds(start, end) / kRounds;

  std::printf("full calendar paint: %8.3f ms\n", paint * 1000);
  std::printf("bare fill, same area: %8.3f ms\n", fill * 1000);
  std::printf("ratio: %.1f\n", fill > 0 ? paint / fill : 0.0);

  SelectObject(canvasDc, old);
  DeleteObject(canvas);
  DeleteDC(canvasDc);
  ReleaseDC(nullptr, screen);
  harness.Close();
  return 0;
}
