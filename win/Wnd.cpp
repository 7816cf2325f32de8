#include "win/Wnd.h"

#include "win/Text.h"

CString CWnd::GetWindowText() const { return GetWindowTextCp932(m_hWnd); }

bool CWnd::SetWindowText(const char* text) { return SetWindowTextCp932(m_hWnd, text); }

CString CWnd::GetDlgItemText(int id) const { return GetWindowTextCp932(GetDlgItem(id)); }

bool CWnd::SetDlgItemText(int id, const char* text) { return SetWindowTextCp932(GetDlgItem(id), text); }
