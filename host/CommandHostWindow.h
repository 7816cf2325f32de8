#pragma once
// The hidden host window of a command-line run: it hears the tool's
// notifications and passes the search lines it receives to a callback.
#include <functional>

#include "win/Wnd.h"

class CToolSession;

class CCommandHostWindow : public CWnd {
 public:
  using LineHandler = std::function<void(const char* line)>;

  CCommandHostWindow();
  CCommandHostWindow(const CCommandHostWindow&) = delete;
  CCommandHostWindow& operator=(const CCommandHostWindow&) = delete;
  ~CCommandHostWindow() override;

  void SetSession(CToolSession* session) { m_pSession = session; }
  void SetLineHandler(LineHandler handler) { m_onLine = std::move(handler); }

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  CToolSession* m_pSession = nullptr;  // not owned
  LineHandler m_onLine;
};
