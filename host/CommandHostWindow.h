#pragma once
// The hidden host window of a command-line run: it hears the tool's
// notifications and passes the search lines it receives, and the end of a
// print, to callbacks.
#include <functional>

#include "win/Wnd.h"

class CToolSession;

class CCommandHostWindow : public CWnd {
 public:
  using LineHandler = std::function<void(const char* line)>;
  // A print asked without dialogs ended: WM_TOOL_PRINTED's PrintEnd and failed page.
  using PrintHandler = std::function<void(int ended, int failedPage)>;

  CCommandHostWindow();
  CCommandHostWindow(const CCommandHostWindow&) = delete;
  CCommandHostWindow& operator=(const CCommandHostWindow&) = delete;
  ~CCommandHostWindow() override;

  void SetSession(CToolSession* session) { m_pSession = session; }
  void SetLineHandler(LineHandler handler) { m_onLine = std::move(handler); }
  void SetPrintHandler(PrintHandler handler) { m_onPrinted = std::move(handler); }

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  CToolSession* m_pSession = nullptr;  // not owned
  LineHandler m_onLine;
  PrintHandler m_onPrinted;
};
