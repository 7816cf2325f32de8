#pragma once
// What the window benchmarks measure alike: a message to the open window,
// timed until it has painted and its own thread is idle again.
#include <algorithm>
#include <string>
#include <vector>

#include "tests/windows/ToolHarness.h"
#include "ui/res/resource.h"

class CStopwatch {
 public:
  CStopwatch() {
    QueryPerformanceFrequency(&m_frequency);
    QueryPerformanceCounter(&m_start);
  }
  double Microseconds() const {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return 1e6 * static_cast<double>(now.QuadPart - m_start.QuadPart) / static_cast<double>(m_frequency.QuadPart);
  }

 private:
  LARGE_INTEGER m_frequency, m_start;
};

// One frame at 60 Hz: what a step of the window should stay within.
constexpr double kFrameUs = 16700;

// Every line of every day full, each text beginning with the number given.
inline MonthTable FullMonthNumbered(int number) {
  MonthTable month = {};
  for (int day = 1; day <= kDaysInTable; ++day) {
    for (int line = 0; line < kLineCount; ++line) {
      SetDayLine(month.Day(day), line, (std::to_string(number) + " " + std::string(100, 'x')).c_str());
    }
    SetDayMemo(month.Day(day), std::string(250, 'm').c_str());
  }
  return month;
}

// -1 for no samples.
inline double Median(std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  return samples.empty() ? -1 : samples[samples.size() / 2];
}

inline double MicrosecondsToIdle(const CToolHarness& harness, UINT message, WPARAM wParam, LPARAM lParam) {
  CStopwatch watch;
  SendMessageW(harness.Window(), message, wParam, lParam);
  UpdateWindow(harness.Window());
  // The window's own thread may have begun the paint before UpdateWindow
  // came: the message is done when that thread is idle again.
  harness.Sync();
  return watch.Microseconds();
}

// One step of the month spinner; a negative delta is its right arrow, forward in time.
inline double MicrosecondsOfMonthStep(const CToolHarness& harness, int delta) {
  NMUPDOWN notification = {};
  notification.hdr.hwndFrom = harness.Control(IDC_MONTH_SPIN);
  notification.hdr.idFrom = IDC_MONTH_SPIN;
  notification.hdr.code = UDN_DELTAPOS;
  notification.iDelta = delta;
  return MicrosecondsToIdle(harness, WM_NOTIFY, IDC_MONTH_SPIN, reinterpret_cast<LPARAM>(&notification));
}

// The month file of the month index months after March 2010, the harness's today.
inline std::string MonthPathAfterToday(const CToolHarness& harness, int index) {
  constexpr int kFirstYear = 2010;
  constexpr int kFirstMonth = 3;
  const int month = kFirstMonth - 1 + index;
  return harness.MonthFilePath(kFirstYear + month / 12, month % 12 + 1);
}
