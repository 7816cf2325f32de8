#include "tests/windows/ToolHarness.h"

#include "win/BitmapFile.h"

#include <atomic>
#include <fstream>

#include "win/Text.h"

namespace {

constexpr wchar_t kHostClassName[] = L"PlannixTestHost";

std::string NewDataDirectory() {
  static std::atomic<int> counter{0};
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring folder =
      std::wstring(temp) + L"plannix-ui-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(counter++);
  RemoveFolderTree(folder);
  CreateDirectoryW(folder.c_str(), nullptr);
  return NarrowToCp932(folder.c_str()).str();
}

void RegisterHostClass(WNDPROC procedure) {
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = kHostClassName;
  RegisterClassW(&windowClass);  // a second registration fails harmlessly
}

bool PumpOnce(DWORD waitMs) {
  MsgWaitForMultipleObjects(0, nullptr, FALSE, waitMs, QS_ALLINPUT);
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return true;
}

}  // namespace

void RemoveFolderTree(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring path = folder + L"\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveFolderTree(path);
      } else {
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(folder.c_str());
}

CRecordingHost::CRecordingHost(ISettingsStore& store, const std::string& dataDirectory, const DateRecord& today)
    : CHostServices(store, dataDirectory, today) {}

void CRecordingHost::Record(const HostEvent& event) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_events.push_back(event);
  m_events.back().threadId = GetCurrentThreadId();
}

std::vector<HostEvent> CRecordingHost::Events() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_events;
}

void CRecordingHost::ClearEvents() {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_events.clear();
}

void CRecordingHost::SetNameOverride(int code, std::string text) {
  std::lock_guard<std::mutex> lock(m_mutex);
  (code == kCalMonthName ? m_monthName : m_weekdayName) = std::move(text);
}

int CRecordingHost::SetSetting(int toolId, const char* key, const char* value) {
  HostEvent event(HostEvent::kSetSetting);
  event.a = toolId;
  event.key = key ? key : "";
  event.value = value ? value : "";
  Record(event);
  return CHostServices::SetSetting(toolId, key, value);
}

const char* CRecordingHost::GetDataDirectory(int a, int b) {
  return m_noDataDirectory ? nullptr : CHostServices::GetDataDirectory(a, b);
}

intptr_t CRecordingHost::CalendarQuery(int code, intptr_t a, intptr_t b) {
  HostEvent event(HostEvent::kCalendarQuery);
  event.code = code;
  event.a = a;
  event.b = b;
  if ((code == kCalPrevMonthFirstWeekday || code == kCalNextMonthFirstWeekday) && a != 0) {
    event.date = *reinterpret_cast<const DateRecord*>(a);
  }
  if (code == kCalFillMonthGrid && b != 0) event.date = *reinterpret_cast<const DateRecord*>(b);
  Record(event);
  if (m_onQuery) m_onQuery(code);
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (code == kCalMonthName && m_monthName) return reinterpret_cast<intptr_t>(m_monthName->c_str());
    if (code == kCalWeekdayName && m_weekdayName) return reinterpret_cast<intptr_t>(m_weekdayName->c_str());
  }
  return CHostServices::CalendarQuery(code, a, b);
}

int CRecordingHost::HolidayQuery(int code, int a, int b, int c) {
  HostEvent event(HostEvent::kHolidayQuery);
  event.code = code;
  event.a = a;
  event.b = b;
  event.c = c;
  Record(event);
  return CHostServices::HolidayQuery(code, a, b, c);
}

CToolHarness::CToolHarness(const DateRecord& today)
    : m_dataDirectory(NewDataDirectory()), m_host(m_settings, m_dataDirectory, today) {
  RegisterHostClass(&CToolHarness::HostWindowProc);
  m_hostWnd.m_hWnd = CreateWindowExW(0, kHostClassName, L"host", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                     GetModuleHandleW(nullptr), &m_host);
}

CToolHarness::~CToolHarness() {
  if (Window() != nullptr) Close();
  delete m_tool;
  if (m_hostWnd.m_hWnd != nullptr) DestroyWindow(m_hostWnd.m_hWnd);
  RemoveFolderTree(WidenCp932(m_dataDirectory.c_str()));
}

DateRecord CToolHarness::MakeDate(int year, int month, int day) {
  DateRecord date;
  date.wYear = static_cast<uint16_t>(year);
  date.wMonth = static_cast<uint16_t>(month);
  date.wDay = static_cast<uint16_t>(day);
  return date;
}

LRESULT CALLBACK CToolHarness::HostWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* host = reinterpret_cast<CRecordingHost*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (host != nullptr && ((message >= WM_TOOL_SETTINGS && message <= WM_TOOL_SEARCHRESULT) || message == WM_TOOL_PRINTED)) {
    HostEvent event(HostEvent::kHostMessage);
    event.code = static_cast<int>(message);
    event.a = static_cast<intptr_t>(wParam);
    event.b = lParam;
    host->Record(event);
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

bool CToolHarness::Open(DWORD timeoutMs) {
  if (m_loader.Factory() == nullptr || m_hostWnd.m_hWnd == nullptr) return false;
  if (m_tool == nullptr) m_tool = m_loader.Factory()(&m_hostWnd, &m_host);
  if (m_tool == nullptr) return false;
  size_t readyBefore = 0;
  for (UINT message : HostMessages()) readyBefore += message == WM_TOOL_READY;
  m_tool->Initialize();
  return WaitFor(
      [&] {
        size_t ready = 0;
        for (UINT message : HostMessages()) ready += message == WM_TOOL_READY;
        return ready > readyBefore;
      },
      timeoutMs);
}

bool CToolHarness::Close(DWORD timeoutMs) {
  HWND window = Window();
  if (window == nullptr) return true;
  HANDLE thread = OpenThread(SYNCHRONIZE, FALSE, GetWindowThreadProcessId(window, nullptr));
  PostMessageW(window, WM_CLOSE, 0, 0);
  bool ended = WaitFor([&] { return thread == nullptr || WaitForSingleObject(thread, 0) == WAIT_OBJECT_0; }, timeoutMs);
  if (thread != nullptr) CloseHandle(thread);
  return ended;
}

bool CToolHarness::WaitFor(const std::function<bool()>& condition, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start > timeoutMs) return false;
    PumpOnce(10);
  }
  return true;
}

void CToolHarness::Sync() const {
  DWORD_PTR ignored = 0;
  if (Window() != nullptr) SendMessageTimeoutW(Window(), WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
}

bool CToolHarness::BringToFront() const {
  ShowWindow(Window(), SW_SHOW);
  // The X server tells of focus later; a window closed just before may take it back meanwhile.
  for (int attempt = 0; attempt < 3; ++attempt) {
    SetForegroundWindow(Window());
    Sync();
    if (WaitFor([&] { return GetForegroundWindow() == Window(); }, 3000)) {
      WaitFor([] { return false; }, 100);
      if (GetForegroundWindow() == Window()) return true;
    }
  }
  return false;
}

bool CToolHarness::CaptureWindow(const std::string& bmpPath) const {
  HWND window = Window();
  if (window == nullptr) return false;
  ShowWindow(window, SW_SHOWNOACTIVATE);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Sync();
  WaitFor([] { return false; }, 300);  // the X server catches up
  return SaveWindowBmp(window, std::wstring(bmpPath.begin(), bmpPath.end()));
}

DWORD CToolHarness::UiThreadExitCode() const {
  DWORD code = 0;
  if (m_tool == nullptr || m_tool->m_pUiThread == nullptr) return code;
  GetExitCodeThread(m_tool->m_pUiThread->m_hThread, &code);
  return code;
}

std::string CToolHarness::Setting(const char* key) const {
  std::string value;
  m_settings.Get(kToolId, key, value);
  return value;
}

std::string CToolHarness::MonthFilePath(int year, int month) const {
  char path[kPathSize];
  if (!FormatMonthFilePath(path, m_dataDirectory.c_str(), "Plannix", year, month, '\\')) return "";
  return path;
}

std::vector<UINT> CToolHarness::HostMessages() const {
  std::vector<UINT> messages;
  for (const HostEvent& event : m_host.Events()) {
    if (event.kind == HostEvent::kHostMessage) messages.push_back(static_cast<UINT>(event.code));
  }
  return messages;
}
