#include "host/CommandHostWindow.h"

#include "host/ToolSession.h"

namespace {

constexpr wchar_t kClassName[] = L"PlannixCommandHost";

}  // namespace

CCommandHostWindow::CCommandHostWindow() {
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = &CCommandHostWindow::WindowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = kClassName;
  RegisterClassW(&windowClass);
  m_hWnd = CreateWindowExW(0, kClassName, L"Plannix host", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                           GetModuleHandleW(nullptr), this);
}

CCommandHostWindow::~CCommandHostWindow() {
  if (m_hWnd != nullptr) ::DestroyWindow(m_hWnd);
}

LRESULT CALLBACK CCommandHostWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<CCommandHostWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self != nullptr) {
    if (message == WM_TOOL_READY && self->m_pSession != nullptr) {
      self->m_pSession->OnReady();
      return 0;
    }
    if (message == WM_TOOL_PRINTED) {
      if (self->m_onPrinted) self->m_onPrinted(static_cast<int>(wParam), static_cast<int>(lParam));
      return 0;
    }
    if (message == WM_TOOL_SEARCHRESULT) {
      const auto* line = reinterpret_cast<const CString*>(wParam);
      if (line != nullptr && self->m_onLine) self->m_onLine(line->c_str());
      return 0;
    }
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}
