// First cut: the picker object exists; its window comes next.
#include "ui/SealDialog.h"

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

