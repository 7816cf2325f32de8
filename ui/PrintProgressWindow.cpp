#include "ui/PrintProgressWindow.h"

#include <string>

#include "ui/res/PrintResource.h"
#include "win/Text.h"

CPrintProgressWindow::CPrintProgressWindow(CWnd* owner, std::function<void()> cancel)
    : CDialog(IDD_PRINT_PROGRESS, owner), m_cancel(std::move(cancel)) {}

bool CPrintProgressWindow::Show() {
  if (!IsWindow()) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    if (!Create(IDD_PRINT_PROGRESS, m_pParentWnd)) return false;
    RECT owner;
    RECT window;
    if (m_pParentWnd != nullptr && GetWindowRect(m_pParentWnd->m_hWnd, &owner) && GetWindowRect(m_hWnd, &window)) {
      const int x = owner.left + ((owner.right - owner.left) - (window.right - window.left)) / 2;
      const int y = owner.top + ((owner.bottom - owner.top) - (window.bottom - window.top)) / 2;
      SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  if (!::IsWindowVisible(m_hWnd)) ::ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
  return true;
}

BOOL CPrintProgressWindow::OnInitDialog() {
  SetProgress(0, 0);
  // No focus is set: that would activate the window.
  return FALSE;
}

void CPrintProgressWindow::SetProgress(size_t printed, size_t pages) {
  if (!IsWindow()) return;
  std::string text;
  if (m_cancelled) {
    text = "印刷を取り消しています...";
  } else if (pages == 0) {
    text = "印刷の準備をしています...";
  } else {
    text = "印刷しています... " + std::to_string(printed) + " / " + std::to_string(pages) + " ページ";
  }
  ::SetDlgItemTextW(m_hWnd, IDC_PRINT_PROGRESS_TEXT, WidenCp932(text.c_str()).c_str());
  HWND bar = GetDlgItem(IDC_PRINT_PROGRESS_BAR);
  ::SendMessageW(bar, PBM_SETRANGE32, 0, static_cast<LPARAM>(pages));
  ::SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(printed), 0);
}

void CPrintProgressWindow::OnCancel() {
  if (m_cancelled) return;
  m_cancelled = true;
  ::EnableWindow(GetDlgItem(IDCANCEL), FALSE);
  if (m_cancel) m_cancel();
}
