#pragma once
// Another program that holds a file open: plannix-file-holder.exe beside
// the tests, holding until it is released or this object goes.
#include <string>

#include "win/WinHeaders.h"

class CFileHolder {
 public:
  enum Mode { kLockNoSharing, kReadSharingReadWrite };

  CFileHolder() = default;
  CFileHolder(const CFileHolder&) = delete;
  CFileHolder& operator=(const CFileHolder&) = delete;
  ~CFileHolder() { Release(); }

  // True once the program holds the file.
  bool Hold(Mode mode, const std::wstring& path) {
    static int counter = 0;
    std::wstring event =
        L"plannix-holder-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter);
    m_held = CreateEventW(nullptr, TRUE, FALSE, (event + L"-held").c_str());
    m_release = CreateEventW(nullptr, TRUE, FALSE, (event + L"-release").c_str());
    wchar_t program[MAX_PATH];
    std::wstring folder(program, GetModuleFileNameW(nullptr, program, MAX_PATH));
    std::wstring command = L"\"" + folder.substr(0, folder.find_last_of(L'\\')) + L"\\plannix-file-holder.exe\" " +
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
    return WaitForMultipleObjects(2, waited, FALSE, kTimeoutMs) == WAIT_OBJECT_0;
  }

  // Lets go of the file and waits for the program; true when it had held it.
  bool Release() {
    if (m_process == nullptr) return false;
    SetEvent(m_release);
    if (WaitForSingleObject(m_process, kTimeoutMs) != WAIT_OBJECT_0) TerminateProcess(m_process, 99);
    DWORD code = 1;
    GetExitCodeProcess(m_process, &code);
    for (HANDLE* handle : {&m_process, &m_held, &m_release}) {
      CloseHandle(*handle);
      *handle = nullptr;
    }
    return code == 0;
  }

 private:
  static constexpr DWORD kTimeoutMs = 15000;
  HANDLE m_process = nullptr;
  HANDLE m_held = nullptr;
  HANDLE m_release = nullptr;
};
