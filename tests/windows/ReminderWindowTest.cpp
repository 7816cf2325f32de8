// The reminder window as a user meets it: it comes up for a line that is
// due without taking the activation, topmost, in the taskbar and owned by
// no window; once in front, Return dismisses and Alt+S snoozes; a click on
// a line shows its day, the schedule restored, or opened where it was
// closed; it goes on while the host keeps the tool, until 通知しない.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "calendar/CalendarFacts.h"
#include "calendar/DayNumber.h"
#include "data/MonthFile.h"
#include "tests/windows/DialogDriver.h"
#include "tests/windows/ToolHarness.h"
#include "tool/ToolMessages.h"
#include "ui/res/resource.h"
#include "win/Text.h"

namespace {

class ReminderWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(m_harness.Open() && m_harness.BringToFront()); }

  // A line minutes ahead on the real clock (on tomorrow's page past
  // midnight), written into its month file: with the default lead of ten
  // minutes it is due at once. Its date and its "H:MM title", as the
  // reminder's caption writes the time (no leading zero before ten).
  std::string WriteLineAhead(int minutesAhead, int lineIndex, const char* title, CalendarDate& date) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    const int minute = now.wHour * 60 + now.wMinute + minutesAhead;
    date = DateOfDayNumber(DayNumberOf(now.wYear, now.wMonth, now.wDay) + minute / (24 * 60));
    char line[64];
    std::snprintf(line, sizeof line, "%d:%02d %s", minute % (24 * 60) / 60, minute % 60, title);
    const std::string path = m_harness.MonthFilePath(date.year, date.month);
    MonthTable table;
    ReadMonthFile(table, path.c_str());
    SetDayLine(table.Day(date.day), lineIndex, line);
    const int days = DaysInMonth(date.year, date.month);
    EXPECT_EQ(1, WriteMonthFile(table, path.c_str(), [days] { return days; }));
    return line;
  }
  // The reminder window once it shows the line first; nullptr after the timeout.
  HWND WaitForReminder(const std::string& line) {
    m_harness.Tool()->m_reminders.Poke();
    const std::wstring caption = WidenCp932(line.c_str());
    HWND found = nullptr;
    m_harness.WaitFor([&] { return (found = FindWindowW(L"#32770", caption.c_str())) && IsWindowVisible(found); });
    return found != nullptr && IsWindowVisible(found) ? found : nullptr;
  }
  bool ToFrontAndPress(HWND reminder, std::initializer_list<WORD> keys) {
    SetForegroundWindow(reminder);
    if (!m_harness.WaitFor([&] { return GetForegroundWindow() == reminder; }, 3000)) return false;
    PressKeysAsUser(keys);
    return m_harness.WaitFor([&] { return !IsWindowVisible(reminder); }, 3000);
  }
  CToolHarness m_harness;
};

TEST_F(ReminderWindowTest, ComesUpWithoutTheKeyboardAndReturnOrAltSEndsIt) {
  CalendarDate date;
  const std::string meeting = WriteLineAhead(5, 0, "会議", date);
  HWND reminder = WaitForReminder(meeting);
  ASSERT_NE(nullptr, reminder);
  EXPECT_EQ(m_harness.Window(), GetForegroundWindow()) << "the schedule window keeps the activation";
  GUITHREADINFO ui = {};
  ui.cbSize = sizeof ui;
  ASSERT_TRUE(GetGUIThreadInfo(GetWindowThreadProcessId(m_harness.Window(), nullptr), &ui));
  EXPECT_EQ(m_harness.Control(IDC_LINE1), ui.hwndFocus) << "and the box the focus was in keeps it";
  EXPECT_EQ(WS_EX_TOPMOST | WS_EX_APPWINDOW,
            GetWindowLongPtrW(reminder, GWL_EXSTYLE) & (WS_EX_TOPMOST | WS_EX_APPWINDOW));
  EXPECT_EQ(nullptr, GetWindow(reminder, GW_OWNER)) << "it stays while the schedule is minimised";
  HWND list = GetDlgItem(reminder, IDC_REMINDER_LIST);
  ASSERT_EQ(1, SendMessageW(list, LB_GETCOUNT, 0, 0));
  std::wstring item(256, L'\0');
  item.resize(static_cast<size_t>(SendMessageW(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(&item[0]))));
  EXPECT_NE(std::wstring::npos, item.find(WidenCp932((meeting.substr(0, meeting.find(' ')) + "  会議").c_str())));
  SaveWindowArtifact(reminder, "reminder-window.bmp");
  ASSERT_TRUE(ToFrontAndPress(reminder, {VK_RETURN}));
  const auto dismissed = [&] { return m_harness.Tool()->m_reminders.Facts().dismissed.Size(); };
  EXPECT_EQ(1u, dismissed());

  // Another line: the dismissed one stays away; Alt+S holds this one back.
  const std::string call = WriteLineAhead(6, 1, "電話", date);
  reminder = WaitForReminder(call);
  ASSERT_NE(nullptr, reminder);
  EXPECT_EQ(1, SendMessageW(GetDlgItem(reminder, IDC_REMINDER_LIST), LB_GETCOUNT, 0, 0));
  EXPECT_TRUE(ToFrontAndPress(reminder, {VK_MENU, 'S'}));
  EXPECT_EQ(1u, dismissed()) << "snoozed, not dismissed";
}

TEST_F(ReminderWindowTest, ItsKeysWorkWhileADialogOfTheScheduleIsOpen) {
  PostMessageW(m_harness.Window(), WM_TOOL_SETTINGS, 0, 0);
  HWND settings = FindThreadDialog(GetWindowThreadProcessId(m_harness.Window(), nullptr), L"スケジュール設定");
  ASSERT_NE(nullptr, settings);
  CalendarDate date;
  HWND reminder = WaitForReminder(WriteLineAhead(5, 3, "打合せ", date));
  ASSERT_NE(nullptr, reminder);
  EXPECT_TRUE(ToFrontAndPress(reminder, {VK_ESCAPE}));
  EXPECT_EQ(1u, m_harness.Tool()->m_reminders.Facts().dismissed.Size());
  EXPECT_TRUE(IsWindow(settings)) << "the dialog is not what the key ended";
  PostMessageW(settings, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(m_harness.WaitFor([&] { return m_harness.ToolBase()->m_modalActive == 0; }));
}

TEST_F(ReminderWindowTest, AClickOnALineShowsItsDayWithTheScheduleRestored) {
  CalendarDate date;
  HWND reminder = WaitForReminder(WriteLineAhead(7, 2, "来客", date));
  ASSERT_NE(nullptr, reminder);
  ShowWindow(m_harness.Window(), SW_MINIMIZE);
  m_harness.Sync();
  EXPECT_TRUE(IsWindowVisible(reminder));
  HWND list = GetDlgItem(reminder, IDC_REMINDER_LIST);
  RECT first;
  SendMessageW(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
  ClickAsUser(list, first.left + 20, (first.top + first.bottom) / 2);
  EXPECT_TRUE(m_harness.WaitFor([&] { return !IsIconic(m_harness.Window()); }, 5000));
  auto shown = [&] {
    const MonthView view = m_harness.Tool()->m_session.View();
    return view.year * 10000 + view.month * 100 + view.selectedDay;
  };
  EXPECT_TRUE(m_harness.WaitFor([&] { return shown() == date.year * 10000 + date.month * 100 + date.day; }, 5000))
      << shown();
  EXPECT_TRUE(IsWindowVisible(reminder)) << "it stays until it is dismissed";
}

// The host's today is 5 March 2010: a window opened on the line's day shows it for the click.
TEST_F(ReminderWindowTest, WithTheScheduleClosedALineComesUpAndAClickOpensItOnItsDay) {
  ASSERT_TRUE(m_harness.Close());
  CalendarDate date;
  HWND reminder = WaitForReminder(WriteLineAhead(6, 4, "歯医者", date));
  ASSERT_NE(nullptr, reminder);
  EXPECT_EQ(nullptr, m_harness.Window());
  const auto ready = [&] {
    const std::vector<UINT> messages = m_harness.HostMessages();
    return std::count(messages.begin(), messages.end(), WM_TOOL_READY);
  };
  const auto readyBefore = ready();
  HWND list = GetDlgItem(reminder, IDC_REMINDER_LIST);
  RECT first;
  SendMessageW(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
  ClickAsUser(list, first.left + 20, (first.top + first.bottom) / 2);
  ASSERT_TRUE(m_harness.WaitFor([&] { return m_harness.Window() != nullptr; }, 5000)) << "opened as the host opens it";
  EXPECT_TRUE(m_harness.WaitFor([&] { return ready() == readyBefore + 1; })) << "the host is told, to show it";
  const auto shown = [&] {
    const MonthView view = m_harness.Tool()->m_session.View();
    return view.year * 10000 + view.month * 100 + view.selectedDay;
  };
  EXPECT_TRUE(m_harness.WaitFor([&] { return shown() == date.year * 10000 + date.month * 100 + date.day; }, 5000))
      << shown();
  // The host opens the settings on its own thread: 通知しない ends the reminder.
  ASSERT_TRUE(m_harness.Close());
  CModalThread settings([&] { return m_harness.ToolBase()->OnSettings(0, 0); });
  HWND dialog = FindThreadDialog(settings.ThreadId(), L"スケジュール設定");
  ASSERT_NE(nullptr, dialog);
  SendMessageW(GetDlgItem(dialog, IDC_REMIND_LEAD), CB_SETCURSEL, 0, 0);
  PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(settings.Wait());
  EXPECT_TRUE(m_harness.WaitFor([&] { return !IsWindowVisible(reminder); }, 3000));
}

}  // namespace
