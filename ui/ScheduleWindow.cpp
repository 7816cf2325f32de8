// First cut of the window's life: the operations the host needs to load the
// tool. The window itself, its day page and its calendar come next.
#include "ui/ScheduleDialog.h"

int CScheduleDialog::SaveState() { return 0; }

void CScheduleDialog::Initialize() {}

BOOL CScheduleDialog::OnInitDialog() { return CToolBase::OnInitDialog(); }

void CScheduleDialog::DoDataExchange(CDataExchange*) {}

BOOL CScheduleDialog::PreTranslateMessage(MSG* msg) { return CToolBase::PreTranslateMessage(msg); }

LRESULT CScheduleDialog::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return CToolBase::DefWindowProc(message, wParam, lParam);
}

INT_PTR CScheduleDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return CToolBase::WindowProc(message, wParam, lParam);
}
