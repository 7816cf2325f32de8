#include "tests/windows/DialogDriver.h"

#include "win/BitmapFile.h"

#include <fstream>
#include <vector>

namespace {

BOOL CALLBACK CancelDialog(HWND window, LPARAM) {
  PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
  return TRUE;
}

struct CaptionSearch {
  const std::wstring* caption;
  HWND found;
};

BOOL CALLBACK MatchCaption(HWND window, LPARAM param) {
  auto* wanted = reinterpret_cast<CaptionSearch*>(param);
  if (!IsWindowVisible(window) || WindowTextOf(window) != *wanted->caption) return TRUE;
  wanted->found = window;
  return FALSE;
}

}  // namespace

CModalThread::CModalThread(std::function<INT_PTR()> run) : m_run(std::move(run)) {
  m_thread = CreateThread(nullptr, 0, &CModalThread::ThreadProc, this, 0, &m_threadId);
}

CModalThread::~CModalThread() {
  if (m_thread == nullptr) return;
  if (!Wait(0)) {
    EnumThreadWindows(m_threadId, &CancelDialog, 0);
    Wait(5000);
  }
  CloseHandle(m_thread);
}

DWORD WINAPI CModalThread::ThreadProc(void* self) {
  auto* run = static_cast<CModalThread*>(self);
  run->m_result = run->m_run();
  return 0;
}

bool CModalThread::Wait(DWORD timeoutMs) {
  // Pumps while waiting: the run may send to a window of the test thread.
  return m_thread != nullptr &&
         WaitUntil([this] { return WaitForSingleObject(m_thread, 0) == WAIT_OBJECT_0; }, timeoutMs);
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start > timeoutMs) return false;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(10);
  }
  return true;
}

void SyncWindow(HWND window) {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
}

std::wstring WindowTextOf(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, static_cast<int>(sizeof text / sizeof text[0]));
  return text;
}

HWND FindThreadDialog(DWORD threadId, const std::wstring& caption, DWORD timeoutMs) {
  CaptionSearch search = {&caption, nullptr};
  WaitUntil(
      [&] {
        EnumThreadWindows(threadId, &MatchCaption, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
      },
      timeoutMs);
  return search.found;
}

void ClickAt(HWND control, int x, int y) {
  PostMessageW(control, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
  PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  PostMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  SyncWindow(control);
}

void ClickAsUser(HWND window, int x, int y) {
  POINT point = {x, y};
  ClientToScreen(window, &point);
  SetCursorPos(point.x, point.y);
  INPUT inputs[2] = {};
  inputs[0].type = inputs[1].type = INPUT_MOUSE;
  inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, inputs, sizeof(INPUT));
  SyncWindow(window);
}

void PressKeysAsUser(std::initializer_list<WORD> keys) {
  std::vector<INPUT> inputs;
  for (WORD key : keys) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    inputs.push_back(input);
  }
  for (auto key = keys.end(); key != keys.begin();) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = *--key;
    input.ki.dwFlags = KEYEVENTF_KEYUP;
    inputs.push_back(input);
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void TypeAsUser(const std::wstring& text) {
  std::vector<INPUT> inputs;
  for (wchar_t character : text) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = character;
    input.ki.dwFlags = KEYEVENTF_UNICODE;
    inputs.push_back(input);
    input.ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
    inputs.push_back(input);
  }
  if (!inputs.empty()) SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

COLORREF ClientPixel(HWND window, int x, int y) {
  HDC dc = GetDC(window);
  COLORREF colour = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return colour;
}

namespace {

// The pixels of a rectangle of the device context, as 32-bit values, top row first.
std::vector<DWORD> GrabPixels(HDC source, int x, int y, int width, int height) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<DWORD> pixels;
  void* bits = nullptr;
  HDC memory = CreateCompatibleDC(source);
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap != nullptr) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    if (BitBlt(memory, 0, 0, width, height, source, x, y, SRCCOPY)) {
      GdiFlush();
      const auto* first = static_cast<const DWORD*>(bits);
      pixels.assign(first, first + static_cast<size_t>(width) * height);
      for (DWORD& pixel : pixels) pixel &= 0x00FFFFFF;
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
  }
  DeleteDC(memory);
  return pixels;
}

}  // namespace

bool ScreenShowsWindow(HWND window, DWORD timeoutMs) {
  return WaitUntil(
      [&] {
        RECT rect;
        if (!GetWindowRect(window, &rect)) return false;
        int width = rect.right - rect.left;
        int height = rect.bottom - rect.top;
        HDC own = GetWindowDC(window);
        std::vector<DWORD> drawn = GrabPixels(own, 0, 0, width, height);
        ReleaseDC(window, own);
        // The screen's device context reads back what the display holds.
        HDC screen = GetDC(nullptr);
        std::vector<DWORD> shown = GrabPixels(screen, rect.left, rect.top, width, height);
        ReleaseDC(nullptr, screen);
        return !drawn.empty() && drawn == shown;
      },
      timeoutMs);
}

std::string SaveWindowArtifact(HWND window, const std::string& name) {
  wchar_t exePath[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, exePath, MAX_PATH);
  std::wstring folder = exePath;
  folder = folder.substr(0, folder.find_last_of(L'\\')) + L"\\..\\test-artifacts";
  CreateDirectoryW(folder.c_str(), nullptr);
  std::wstring path = folder + L"\\" + std::wstring(name.begin(), name.end());

  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  SyncWindow(window);
  Sleep(300);  // the X server catches up
  bool written = SaveWindowBmp(window, path);
  return written ? std::string(path.begin(), path.end()) : std::string();
}
