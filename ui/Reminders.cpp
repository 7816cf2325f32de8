// The window's reminders: the watch on the files, the scheduler that says
// what is due, and the reminder window that shows it. The clock is looked
// at on a short timer, at the next due time, and at once on every change
// the window hears of; never counted down alone.
#include <algorithm>
#include <string>

#include "data/FileSystem.h"
#include "reminders/ReminderLead.h"
#include "ui/ScheduleDialog.h"
#include "ui/SettingValue.h"
#include "ui/res/resource.h"

namespace {

// However far the next due time, the clock is looked at this often.
constexpr int64_t kLongestLookSeconds = 15;
constexpr UINT kShortestLookMs = 200;

}  // namespace

void CScheduleDialog::StartReminders() {
  m_reminderLead = ParseReminderLead(ReadSettingText(m_pHost, kReminderLeadKey).c_str());
  m_reminders = CReminderScheduler();
  m_reminderWindow.SetHandlers([this] { DismissReminders(); }, [this] { SnoozeReminders(); },
                               [this](size_t line) { ShowReminderDay(line); });
  // Without a data folder there are no month files to remind of.
  const char* directory = m_pHost->GetDataDirectory(1, 0);
  if (directory == nullptr) return;
  auto files = std::make_unique<CReminderFiles>(
      SystemFileSystem(), std::string(directory) + '\\' + m_toolName.str(), '\\',
      [this](int year, int month, MonthTable& table) { return m_session.CopyHeldMonth(year, month, table); });
  m_reminderWatch = std::make_unique<CReminderWatch>(std::move(files), m_wallClock);
  HWND window = m_hWnd;
  m_reminderWatch->SetChangeListener([window] { ::PostMessageW(window, WM_TOOL_REMINDERS, 0, 0); });
  LookAtReminders();
}

void CScheduleDialog::StopReminders() {
  ::KillTimer(m_hWnd, kReminderTimer);
  if (m_reminderWindow.IsWindow()) m_reminderWindow.DestroyWindow();
  // What was dismissed and is not in its file yet is written as the watch ends.
  m_reminderWatch.reset();
}

void CScheduleDialog::PokeReminders() {
  if (m_reminderWatch) m_reminderWatch->Poke();
}

void CScheduleDialog::LookAtReminders() {
  if (!m_reminderWatch) return;
  const int64_t now = WallSecondsOf(m_wallClock.Now());
  m_reminders.Look(now, m_reminderLead, m_reminderWatch->Facts());
  m_reminderWindow.Show(m_reminders.Board(), m_reminders.BroughtNew());
  const int64_t seconds = std::clamp<int64_t>(m_reminders.NextLook() - now, 0, kLongestLookSeconds);
  ::SetTimer(m_hWnd, kReminderTimer, std::max(kShortestLookMs, static_cast<UINT>(seconds * 1000)), nullptr);
}

void CScheduleDialog::DismissReminders() {
  if (m_reminderWatch) m_reminderWatch->AddDismissed(m_reminders.DismissBoard());
  m_reminderWindow.Show(m_reminders.Board(), false);
}

void CScheduleDialog::SnoozeReminders() {
  const int64_t now = WallSecondsOf(m_wallClock.Now());
  m_reminders.SnoozeBoard(now + CReminderScheduler::kSnoozeMinutes * kSecondsPerMinute);
  m_reminderWindow.Show(m_reminders.Board(), false);
  LookAtReminders();
}

void CScheduleDialog::ShowReminderDay(size_t line) {
  const std::vector<DueReminder>& board = m_reminders.Board();
  if (line >= board.size()) return;
  const CalendarDate date = DateOfDayNumber(board[line].line.dayNumber);
  if (IsIconic(m_hWnd)) ShowWindow(SW_RESTORE);
  // The user asked for the window: it comes to the front.
  SetForegroundWindow(m_hWnd);
  // A dialog of the window's own is up: the day waits until it is closed.
  if (m_modalActive != 0) return;
  ::SetFocus(GetDlgItem(IDC_YEAR_SPIN));
  ShowDate(date.year, date.month, date.day);
}
