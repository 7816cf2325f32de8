// The reminder window as a user meets it: it comes up for a line that is
// due without taking the activation, topmost, in the taskbar and owned by
// no window; once in front, Return dismisses into the data folder and
// Alt+S snoozes; a click on a line shows its day, the schedule window
// restored from the taskbar.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "calendar/CalendarFacts.h"
#include "calendar/DayNumber.h"
#include "data/MonthFile.h"
#include "tests/windows/DialogDriver.h"
#include "tests/windows/ToolHarness.h"
#include "ui/res/resource.h"
#include "win/Text.h"

namespace {

struct AheadLine {
  CalendarDate date;
  std::string clock;  // "HH:MM"
};

class ReminderWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_harness.Open());
    ASSERT_TRUE(m_harness.BringToFront());
  }

  // A line the given minutes ahead on the real clock, on its own page (tomorrow's
  // after midnight), written into its month file as a save writes it; with the
  // default lead of ten minutes it is due at once.
  AheadLine WriteLineAhead(int minutesAhead, int lineIndex, const char* title) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    int minute = now.wHour * 60 + now.wMinute + minutesAhead;
    const int day = DayNumberOf(now.wYear, now.wMonth, now.wDay) + minute / (24 * 60);
    minute %= 24 * 60;
    AheadLine line{DateOfDayNumber(day), ""};
    char clock[8];
    std::snprintf(clock, sizeof clock, "%02d:%02d", minute / 60, minute % 60);
    line.clock = clock;
    const std::string path = m_harness.MonthFilePath(line.date.year, line.date.month);
    MonthTable table;
    ReadMonthFile(table, path.c_str());
    SetDayLine(table.Day(line.date.day), lineIndex, (line.clock + " " + title).c_str());
    const int days = DaysInMonth(line.date.year, line.date.month);
    EXPECT_EQ(1, WriteMonthFile(table, path.c_str(), [days] { return days; }));
    return line;
  }
  // The reminder window, once it shows the line; nullptr after the timeout.
  HWND WaitForReminder(const AheadLine& line, const char* title) {
    const std::wstring caption = WidenCp932((line.clock + " " + title).c_str());
    HWND found = nullptr;
    m_harness.WaitFor([&] {
      found = FindWindowW(L"#32770", caption.c_str());
      return found != nullptr && IsWindowVisible(found);
    });
    return found != nullptr && IsWindowVisible(found) ? found : nullptr;
  }
  bool BringReminderToFront(HWND reminder) {
    SetForegroundWindow(reminder);
    return m_harness.WaitFor([&] { return GetForegroundWindow() == reminder; }, 3000);
  }
  std::string DismissedFile() const {
    FILE* file = _wfopen(WidenCp932((m_harness.ToolFolder() + "\\reminders\\dismissed.txt").c_str()).c_str(), L"rb");
    std::string bytes;
    if (file == nullptr) return bytes;
    char block[4096];
    for (size_t got; (got = std::fread(block, 1, sizeof block, file)) > 0;) bytes.append(block, got);
    std::fclose(file);
    return bytes;
  }
  static std::string Entry(const AheadLine& line) {
    char date[16];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d ", line.date.year, line.date.month, line.date.day);
    return date + line.clock + " ";
  }

  CToolHarness m_harness;
};

TEST_F(ReminderWindowTest, ComesUpWithoutTheKeyboardAndReturnOrAltSEndsIt) {
  const AheadLine meeting = WriteLineAhead(5, 0, "会議");
  HWND reminder = WaitForReminder(meeting, "会議");
  ASSERT_NE(nullptr, reminder);
  EXPECT_EQ(m_harness.Window(), GetForegroundWindow()) << "the schedule window keeps the activation";
  GUITHREADINFO ui = {};
  ui.cbSize = sizeof ui;
  ASSERT_TRUE(GetGUIThreadInfo(GetWindowThreadProcessId(m_harness.Window(), nullptr), &ui));
  EXPECT_EQ(m_harness.Control(IDC_LINE1), ui.hwndFocus) << "and the box the focus was in keeps it";
  const LONG_PTR extended = GetWindowLongPtrW(reminder, GWL_EXSTYLE);
  EXPECT_NE(0, extended & WS_EX_TOPMOST);
  EXPECT_NE(0, extended & WS_EX_APPWINDOW);
  EXPECT_EQ(nullptr, GetWindow(reminder, GW_OWNER)) << "it stays while the schedule is minimised";
  HWND list = GetDlgItem(reminder, IDC_REMINDER_LIST);
  ASSERT_EQ(1, SendMessageW(list, LB_GETCOUNT, 0, 0));
  std::wstring item(256, L'\0');
  item.resize(static_cast<size_t>(SendMessageW(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(&item[0]))));
  EXPECT_NE(std::wstring::npos, item.find(WidenCp932((meeting.clock + "  会議").c_str())))
      << NarrowToCp932(item.c_str()).str();
  SaveWindowArtifact(reminder, "reminder-window.bmp");

  ASSERT_TRUE(BringReminderToFront(reminder));
  PressKeysAsUser({VK_RETURN});
  EXPECT_TRUE(m_harness.WaitFor([&] { return !IsWindowVisible(reminder); }, 3000));
  EXPECT_TRUE(m_harness.WaitFor([&] { return DismissedFile().find(Entry(meeting)) != std::string::npos; }, 5000))
      << DismissedFile();

  // Another line: one window again; Alt+S holds it back, and it is not dismissed.
  const AheadLine call = WriteLineAhead(6, 1, "電話");
  reminder = WaitForReminder(call, "電話");
  ASSERT_NE(nullptr, reminder);
  EXPECT_EQ(1, SendMessageW(GetDlgItem(reminder, IDC_REMINDER_LIST), LB_GETCOUNT, 0, 0))
      << "the dismissed one stays away";
  ASSERT_TRUE(BringReminderToFront(reminder));
  PressKeysAsUser({VK_MENU, 'S'});
  EXPECT_TRUE(m_harness.WaitFor([&] { return !IsWindowVisible(reminder); }, 3000));
  m_harness.WaitFor([] { return false; }, 500);
  EXPECT_EQ(std::string::npos, DismissedFile().find(Entry(call)));
}

TEST_F(ReminderWindowTest, AClickOnALineShowsItsDayWithTheScheduleRestored) {
  const AheadLine visit = WriteLineAhead(7, 2, "来客");
  HWND reminder = WaitForReminder(visit, "来客");
  ASSERT_NE(nullptr, reminder);
  ShowWindow(m_harness.Window(), SW_MINIMIZE);
  m_harness.Sync();
  EXPECT_TRUE(IsWindowVisible(reminder));
  HWND list = GetDlgItem(reminder, IDC_REMINDER_LIST);
  RECT first;
  SendMessageW(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
  ClickAsUser(list, first.left + 20, (first.top + first.bottom) / 2);
  EXPECT_TRUE(m_harness.WaitFor([&] { return !IsIconic(m_harness.Window()); }, 5000));
  const int wanted = visit.date.year * 10000 + visit.date.month * 100 + visit.date.day;
  auto shown = [&] {
    const MonthView view = m_harness.Tool()->m_session.View();
    return view.year * 10000 + view.month * 100 + view.selectedDay;
  };
  EXPECT_TRUE(m_harness.WaitFor([&] { return shown() == wanted; }, 5000)) << shown();
  EXPECT_TRUE(IsWindowVisible(reminder)) << "the reminder stays until it is dismissed";
}

}  // namespace
