#include "tests/windows/FileHolder.h"

namespace {

constexpr DWORD kHolderTimeoutMs = 15000;

std::wstring ProgramFolder() {
  wchar_t path[MAX_PATH];
  DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring program(path, length < MAX_PATH ? length : 0);
  return program.substr(0, program.find_last_of(L"\\/"));
}

}  // namespace

bool CFileHolder::Hold(Mode mode, const std::wstring& path) {
  static int counter = 0;
  std::wstring event = L"plannix-holder-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter);
  m_held = CreateEventW(nullptr, TRUE, FALSE, (event + L"-held").c_str());
  m_release = CreateEventW(nullptr, TRUE, FALSE, (event + L"-release").c_str());
  std::wstring command = L"\"" + ProgramFolder() + L"\\plannix-file-holder.exe\" " +
                         (mode == kLockNoSharing ? L"lock" : L"read") + L" \"" + path + L"\" " + event;
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return false;
  }
  CloseHandle(process.hThread);
  m_process = process.hProcess;
  HANDLE waited[] = {m_held, m_process};
  return WaitForMultipleObjects(2, waited, FALSE, kHolderTimeoutMs) == WAIT_OBJECT_0;
}

bool CFileHolder::Release() {
  if (m_process == nullptr) return false;
  SetEvent(m_release);
  if (WaitForSingleObject(m_process, kHolderTimeoutMs) != WAIT_OBJECT_0) TerminateProcess(m_process, 99);
  DWORD code = 1;
  GetExitCodeProcess(m_process, &code);
  for (HANDLE* handle : {&m_process, &m_held, &m_release}) {
    CloseHandle(*handle);
    *handle = nullptr;
  }
  return code == 0;
}
