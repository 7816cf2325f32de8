#pragma once
// A thread of the window system: the handle is kept for its exit code.
#include "win/WinHeaders.h"

class CWinThread {
 public:
  using Procedure = UINT (*)(void* argument);

  CWinThread(const CWinThread&) = delete;
  CWinThread& operator=(const CWinThread&) = delete;
  ~CWinThread();

  // Starts procedure(argument) at normal priority with the default stack.
  static CWinThread* Begin(Procedure procedure, void* argument);

  HANDLE m_hThread = nullptr;
  DWORD m_nThreadID = 0;

 private:
  CWinThread() = default;
};
