#pragma once
// Drives the tool's modal dialogs from the test thread: the modal run goes
// on a thread of its own (as the host's thread would run it), the test finds
// the dialog there and works its controls with real messages. Every wait has
// a timeout.
#include <functional>
#include <initializer_list>
#include <string>

#include "win/WinHeaders.h"

// One modal run on a thread of its own.
class CModalThread {
 public:
  explicit CModalThread(std::function<INT_PTR()> run);
  CModalThread(const CModalThread&) = delete;
  CModalThread& operator=(const CModalThread&) = delete;
  // A run still going is asked to close first, so a failed test cannot hang.
  ~CModalThread();

  DWORD ThreadId() const { return m_threadId; }
  // True when the run ended within the timeout.
  bool Wait(DWORD timeoutMs = 10000);
  INT_PTR Result() const { return m_result; }

 private:
  static DWORD WINAPI ThreadProc(void* self);

  std::function<INT_PTR()> m_run;
  INT_PTR m_result = -100;
  DWORD m_threadId = 0;
  HANDLE m_thread = nullptr;
};

// The visible dialog of the thread whose caption is the given text; nullptr after the timeout.
HWND FindThreadDialog(DWORD threadId, const std::wstring& caption, DWORD timeoutMs = 10000);
// Waits until condition() holds, or the timeout.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 10000);
// The dialog's thread has handled everything sent before this returns.
void SyncWindow(HWND window);

std::wstring WindowTextOf(HWND window);
// A left click on the control at a point of its client area, as posted mouse messages.
void ClickAt(HWND control, int x, int y);
// Input as a user gives it, through the system's input queue to the
// foreground window: a left click at a point of the window's client area,
// and keys pressed in order and let go in reverse (e.g. VK_CONTROL, VK_RETURN).
void ClickAsUser(HWND window, int x, int y);
void PressKeysAsUser(std::initializer_list<WORD> keys);
// Each character typed as a key of its own, pressed and let go, in order.
void TypeAsUser(const std::wstring& text);
// The colour at a point of the window's client area, as the window draws it.
COLORREF ClientPixel(HWND window, int x, int y);
// True once what the display shows where the window is (read from the
// screen, not from the window) matches what the window draws, within the timeout.
bool ScreenShowsWindow(HWND window, DWORD timeoutMs = 3000);
// The window as drawn on screen, written as a 24-bit BMP under the build
// folder's test-artifacts; the path written, or "" on failure.
std::string SaveWindowArtifact(HWND window, const std::string& name);
