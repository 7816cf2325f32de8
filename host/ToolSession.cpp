#include "host/ToolSession.h"

#include "host/MessagePump.h"

namespace {

std::wstring ProgramFolder() {
  wchar_t path[MAX_PATH];
  DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring program(path, length < MAX_PATH ? length : 0);
  size_t separator = program.find_last_of(L"\\/");
  return separator == std::wstring::npos ? L"." : program.substr(0, separator);
}

}  // namespace

CToolSession::~CToolSession() {
  Close();
  // A window that would not close still runs code of the library: keep both.
  if (Window() != nullptr) return;
  delete m_tool;
  if (m_module != nullptr) FreeLibrary(m_module);
}

std::wstring CToolSession::Load() {
  std::wstring path = ProgramFolder() + L"\\Plannix.dll";
  m_module = LoadLibraryW(path.c_str());
  if (m_module == nullptr) return L"cannot load " + path;
  auto factory = reinterpret_cast<NewQuirelleToolFunction>(
      reinterpret_cast<void*>(GetProcAddress(m_module, "NewQuirelleTool")));
  if (factory == nullptr) return path + L" has no NewQuirelleTool";
  m_tool = factory(&m_hostWnd, &m_host);
  if (m_tool == nullptr) return L"NewQuirelleTool made no tool";
  return L"";
}

void CToolSession::Open(bool show) {
  m_ready = false;
  m_showWhenReady = show;
  m_tool->Initialize();
}

void CToolSession::OnReady() {
  m_ready = true;
  if (m_showWhenReady && Window() != nullptr) ::ShowWindow(Window(), SW_SHOW);
}

bool CToolSession::OpenAndWait(bool show) {
  Open(show);
  return PumpUntil([this] { return m_ready; }, kToolTimeoutMs);
}

bool CToolSession::Close(DWORD timeoutMs) {
  HWND window = Window();
  if (window == nullptr) return true;
  if (IsModalActive()) return false;
  DWORD threadId = GetWindowThreadProcessId(window, nullptr);
  HANDLE thread = OpenThread(SYNCHRONIZE, FALSE, threadId);
  ::PostMessageW(window, WM_CLOSE, 0, 0);
  bool ended = PumpUntil(
      [&] {
        if (::IsWindow(window)) return false;
        // A loop that took the close inside IsDialogMessage waits for one more message.
        PostThreadMessageW(threadId, WM_NULL, 0, 0);
        return thread == nullptr || WaitForSingleObject(thread, 0) == WAIT_OBJECT_0;
      },
      timeoutMs);
  if (thread != nullptr) CloseHandle(thread);
  m_ready = false;
  return ended;
}
