// First cut: the settings dialog object exists; its window comes next.
#include "ui/ScheduleSetupDialog.h"

CScheduleSetupDialog::CScheduleSetupDialog(CWnd* parent) : CDialog(183, parent) {}
void CScheduleSetupDialog::DoDataExchange(CDataExchange*) {}
BOOL CScheduleSetupDialog::OnInitDialog() { return TRUE; }
void CScheduleSetupDialog::OnOK() { CDialog::OnOK(); }
INT_PTR CScheduleSetupDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return CDialog::WindowProc(message, wParam, lParam);
}
INT_PTR CScheduleSetupDialog::DoModalWithHost(CToolHost* host) {
  m_pHost = host;
  return IDCANCEL;
}
