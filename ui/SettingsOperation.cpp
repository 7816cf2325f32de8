// The settings operation: the settings dialog, then the new settings applied.
#include "ui/ScheduleDialog.h"

LRESULT CScheduleDialog::OnSettings(WPARAM, LPARAM) {
  // ApplySettings touches the window: a direct call from the host's thread
  // runs the whole operation on the window's thread, as the message does.
  if (IsWindow() && GetWindowThreadProcessId(m_hWnd, nullptr) != GetCurrentThreadId()) {
    SendMessage(WM_TOOL_SETTINGS, 0, 0);
    return 0;
  }
  if (IsWindow()) SetForegroundWindow(m_hWnd);
  INT_PTR result = IDCANCEL;
  {
    CModalScope modal(*this);
    result = m_setupDialog.DoModalWithHost(m_pHost);
  }
  if (result == IDOK && IsWindow()) ApplySettings();
  return 0;
}
