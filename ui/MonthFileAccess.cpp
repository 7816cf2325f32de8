// The month file of the month on display, read and written under the
// month lock so that a save from the host's thread sees a whole month.
#include "ui/ScheduleDialog.h"
#include "win/Text.h"

int CScheduleDialog::WriteMonthFile() {
  bool written = false;
  {
    std::lock_guard<std::recursive_mutex> lock(m_monthLock);
    // Before the first month was ever loaded there is nothing to keep, and
    // no month to name a file after.
    if (!m_monthLoaded) return 1;
    if (FormatMonthFilePath(m_dataFilePath, m_pHost->GetDataDirectory(1, 0), m_toolName, m_year, m_month, '\\')) {
      const int year = m_year;
      const int month = m_month;
      auto daysInMonth = [this, year, month] {
        return static_cast<int>(m_pHost->CalendarQuery(kCalDaysInMonth, year, month));
      };
      written = ::WriteMonthFile(m_monthTable, m_dataFilePath, daysInMonth) == 1;
    }
  }
  // Reported outside the lock: the box waits for the user.
  if (!written) ReportWriteFailure();
  return written ? 1 : 0;
}

int CScheduleDialog::ReadMonthFile() {
  std::lock_guard<std::recursive_mutex> lock(m_monthLock);
  m_monthLoaded = true;
  if (!FormatMonthFilePath(m_dataFilePath, m_pHost->GetDataDirectory(1, 0), m_toolName, m_year, m_month, '\\')) {
    ClearMonth(m_monthTable);
    return 0;
  }
  return ::ReadMonthFile(m_monthTable, m_dataFilePath);
}

void CScheduleDialog::ReportWriteFailure() {
  // The box belongs to the window only on the window's own thread.
  bool onWindowThread = m_hWnd != nullptr && GetWindowThreadProcessId(m_hWnd, nullptr) == GetCurrentThreadId();
  CModalScope modal(*this);
  MessageBoxW(onWindowThread ? m_hWnd : nullptr, WidenCp932("ﾃﾞｰﾀﾌｧｲﾙを作成できませんでした。").c_str(),
              WidenCp932(GetTitle()).c_str(), MB_OK);
}
