#pragma once
// A window the object refers to but does not own; cannot be copied.
#include "win/String.h"
#include "win/WinHeaders.h"

class CWnd {
 public:
  CWnd() = default;
  explicit CWnd(HWND hwnd) : m_hWnd(hwnd) {}
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;
  virtual ~CWnd() = default;

  HWND GetSafeHwnd() const { return m_hWnd; }
  void Attach(HWND hwnd) { m_hWnd = hwnd; }
  HWND Detach() {
    HWND hwnd = m_hWnd;
    m_hWnd = nullptr;
    return hwnd;
  }
  bool IsWindow() const { return m_hWnd != nullptr && ::IsWindow(m_hWnd) != FALSE; }
  // True for a window that the calling thread created: only that thread may own dialogs with it.
  bool IsOnCallingThread() const {
    return IsWindow() && GetWindowThreadProcessId(m_hWnd, nullptr) == GetCurrentThreadId();
  }

  HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
  CString GetWindowText() const;
  bool SetWindowText(const char* text);
  CString GetDlgItemText(int id) const;
  bool SetDlgItemText(int id, const char* text);

  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendMessageW(m_hWnd, message, wParam, lParam);
  }
  bool PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::PostMessageW(m_hWnd, message, wParam, lParam) != FALSE;
  }
  bool ShowWindow(int command) const { return ::ShowWindow(m_hWnd, command) != FALSE; }
  bool Invalidate(bool erase = true) const { return ::InvalidateRect(m_hWnd, nullptr, erase) != FALSE; }
  bool InvalidateRect(const RECT& rect, bool erase = true) const {
    return ::InvalidateRect(m_hWnd, &rect, erase) != FALSE;
  }
  bool DestroyWindow() { return ::DestroyWindow(m_hWnd) != FALSE; }

  HWND m_hWnd = nullptr;
};
