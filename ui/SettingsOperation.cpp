// The settings operation: the settings dialog, then the new settings applied.
#include "ui/ScheduleDialog.h"

LRESULT CScheduleDialog::OnSettings(WPARAM, LPARAM) try {
  // ApplySettings touches the window: a direct call from the host's thread
  // runs the whole operation on the window's thread, as the message does.
  if (IsWindow() && GetWindowThreadProcessId(m_hWnd, nullptr) != GetCurrentThreadId()) {
    SendMessage(WM_TOOL_SETTINGS, 0, 0);
    return 0;
  }
  if (IsWindow()) SetForegroundWindow(m_hWnd);
  m_modalActive = 1;
  INT_PTR result = m_setupDialog.DoModalWithHost(m_pHost);
  m_modalActive = 0;
  if (result == IDOK && IsWindow()) ApplySettings();
  return 0;
} catch (...) {
  return 0;  // nothing the library throws reaches the host
}
