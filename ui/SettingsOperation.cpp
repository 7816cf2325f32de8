// The settings operation: the settings dialog on the calling thread, then
// the new settings applied on the window's own thread.
#include "ui/ScheduleDialog.h"

LRESULT CScheduleDialog::OnSettings(WPARAM, LPARAM) try {
  if (IsWindow()) SetForegroundWindow(m_hWnd);
  m_setupDialog.SetOwnerWindows(this, m_pHostWnd);
  m_setupDialog.SetSyncSetup([this](CWnd* owner) {
    CSyncSetupDialog* sync = PrepareSyncSetup();
    sync->m_pParentWnd = owner;
    sync->DoModal();
    sync->m_pParentWnd = nullptr;
  });
  INT_PTR result = IDCANCEL;
  {
    CModalScope modal(*this);
    result = m_setupDialog.DoModalWithHost(m_pHost);
  }
  if (result != IDOK) return 0;
  // The reminders go on without the window.
  ApplyReminderLead();
  if (!IsWindow()) return 0;
  // The host's thread only waits for the applying, never for the dialog.
  if (IsOnCallingThread()) {
    ApplySettings();
  } else {
    SendMessage(WM_TOOL_APPLYSETTINGS);
  }
  return 0;
} catch (...) {
  return 0;  // nothing the library throws reaches the host
}
