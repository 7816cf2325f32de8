// The schedule tool's side of the reminders: they start with the first
// Initialize, hear of what the window stores, and ask it for a day; the
// window itself may be closed meanwhile.
#include "reminders/ReminderLead.h"
#include "ui/ScheduleDialog.h"
#include "ui/SettingValue.h"
#include "ui/res/resource.h"

namespace {

constexpr DWORD kCloseTimeoutMs = 15000;
constexpr DWORD kCloseStepMs = 50;

}  // namespace

void CScheduleDialog::StartReminders() {
  if (m_reminders.IsRunning()) return;
  // Without a data folder there are no month files to remind of.
  const char* directory = m_pHost->GetDataDirectory(1, 0);
  if (directory == nullptr) return;
  CReminders::Setup setup;
  setup.places.toolFolder = std::string(directory) + '\\' + m_toolName.str();
  setup.places.separator = '\\';
  CReminders::AddThisPcPlaces(setup.places);
  setup.heldMonth = [this](int year, int month, MonthTable& table) {
    return m_session.CopyHeldMonth(year, month, table);
  };
  setup.lead = ParseReminderLead(ReadSettingText(m_pHost, kReminderLeadKey).c_str());
  setup.showDay = [this](int dayNumber) { ShowReminderDay(dayNumber); };
  m_reminders.Start(std::move(setup));
}

void CScheduleDialog::PokeReminders() { m_reminders.Poke(); }

void CScheduleDialog::ApplyReminderLead() {
  m_reminders.SetLead(ParseReminderLead(ReadSettingText(m_pHost, kReminderLeadKey).c_str()));
}

void CScheduleDialog::ShowReminderDay(int dayNumber) {
  std::lock_guard<std::mutex> lock(m_openLock);
  if (m_toolEnding) return;
  if (HWND window = m_openWindow) {
    ::PostMessageW(window, WM_TOOL_SHOWDAY, static_cast<WPARAM>(dayNumber), 0);
    return;
  }
  // Opened as the host opens it: the host hears WM_TOOL_READY and shows it.
  m_dayToShow = dayNumber;
  Initialize();
}

void CScheduleDialog::OnShowReminderDay(int dayNumber) {
  if (dayNumber <= 0) return;
  const CalendarDate date = DateOfDayNumber(dayNumber);
  if (IsIconic(m_hWnd)) ShowWindow(SW_RESTORE);
  // The user asked for the window: it comes to the front.
  SetForegroundWindow(m_hWnd);
  // A dialog of the window's own is up: the day waits until it is closed.
  if (m_modalActive != 0) return;
  ::SetFocus(GetDlgItem(IDC_YEAR_SPIN));
  ShowDate(date.year, date.month, date.day);
}

int CScheduleDialog::TakeDayToShow() {
  std::lock_guard<std::mutex> lock(m_openLock);
  const int day = m_dayToShow;
  m_dayToShow = 0;
  return day;
}

void CScheduleDialog::CloseWindowOpenedMeanwhile() {
  if (m_pUiThread == nullptr) return;
  HANDLE thread = m_pUiThread->m_hThread;
  const DWORD start = GetTickCount();
  while (WaitForSingleObject(thread, 0) == WAIT_TIMEOUT && GetTickCount() - start < kCloseTimeoutMs) {
    if (HWND window = m_openWindow) ::PostMessageW(window, WM_CLOSE, 0, 0);
    MsgWaitForMultipleObjects(1, &thread, FALSE, kCloseStepMs, QS_SENDMESSAGE);
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
}
