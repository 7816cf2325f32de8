// The main window's own keys, taken before the dialog manager sees them.
#include "host/MainWindow.h"
#include "host/res/HostResource.h"

BOOL CMainWindow::PreTranslateMessage(MSG* msg) {
  const bool ownKey = msg->message == WM_KEYDOWN && (msg->hwnd == m_hWnd || ::IsChild(m_hWnd, msg->hwnd));
  // Ctrl+F, as a find box is reached everywhere: the search words, selected to be typed over.
  if (ownKey && msg->wParam == 'F' && GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_MENU) >= 0) {
    SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(IDC_QUERY)), TRUE);
    return TRUE;
  }
  return CDialog::PreTranslateMessage(msg);
}
