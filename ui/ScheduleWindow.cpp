// First cut of the window's life: the operations the host needs to load the
// tool. The window itself, its day page and its calendar come next.
#include "ui/ScheduleDialog.h"

int CScheduleDialog::SaveState() { return 0; }

void CScheduleDialog::Initialize() {}

LRESULT CScheduleDialog::OnSettings(WPARAM, LPARAM) { return 0; }

BOOL CScheduleDialog::OnInitDialog() { return CToolBase::OnInitDialog(); }

void CScheduleDialog::DoDataExchange(CDataExchange*) {}

BOOL CScheduleDialog::PreTranslateMessage(MSG* msg) { return CToolBase::PreTranslateMessage(msg); }

LRESULT CScheduleDialog::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return CToolBase::DefWindowProc(message, wParam, lParam);
}

INT_PTR CScheduleDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return CToolBase::WindowProc(message, wParam, lParam);
}

CSealDialog::CSealDialog(CWnd* parent) : CDialog(213, parent) {}
CSealDialog::~CSealDialog() = default;
INT_PTR CSealDialog::DoModal() { return IDCANCEL; }
void CSealDialog::DoDataExchange(CDataExchange*) {}
BOOL CSealDialog::PreTranslateMessage(MSG* msg) { return CDialog::PreTranslateMessage(msg); }
BOOL CSealDialog::OnInitDialog() { return TRUE; }
void CSealDialog::OnOK() { CDialog::OnOK(); }
void CSealDialog::OnCancel() { CDialog::OnCancel(); }
INT_PTR CSealDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return CDialog::WindowProc(message, wParam, lParam);
}

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
