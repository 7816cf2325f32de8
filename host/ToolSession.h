#pragma once
// The schedule tool as the host holds it: Plannix.dll loaded, the tool made
// by its factory, its window opened by Initialize and shown once ready,
// closed and waited for, and the tool deleted with the library released.
#include <string>

#include "tool/ToolBase.h"
#include "win/WinHeaders.h"

constexpr DWORD kToolTimeoutMs = 15000;

class CToolSession {
 public:
  CToolSession(CWnd& hostWnd, CToolHost& host) : m_hostWnd(hostWnd), m_host(host) {}
  CToolSession(const CToolSession&) = delete;
  CToolSession& operator=(const CToolSession&) = delete;
  ~CToolSession();

  // Loads the library beside the program and calls its factory; "" or what failed.
  std::wstring Load();
  CToolBase* Tool() const { return m_tool; }

  // Initialize; the window comes up hidden and the host window hears
  // WM_TOOL_READY, whereupon it is shown when show is set.
  void Open(bool show);
  // For the host window's WM_TOOL_READY.
  void OnReady();
  bool IsReady() const { return m_ready; }
  // Open and wait for readiness, pumping this thread.
  bool OpenAndWait(bool show);

  HWND Window() const { return m_tool != nullptr && ::IsWindow(m_tool->m_hWnd) ? m_tool->m_hWnd : nullptr; }
  bool IsModalActive() const { return m_tool != nullptr && m_tool->m_modalActive.load() != 0; }
  // Asks the window to close and waits until its UI thread has ended.
  // Refused (false) while the tool shows a modal dialog.
  bool Close(DWORD timeoutMs = kToolTimeoutMs);

 private:
  CWnd& m_hostWnd;  // not owned
  CToolHost& m_host;  // not owned
  HMODULE m_module = nullptr;
  CToolBase* m_tool = nullptr;
  bool m_ready = false;
  bool m_showWhenReady = false;
};
