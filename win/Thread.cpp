#include "win/Thread.h"

#include <memory>

namespace {

struct StartInfo {
  CWinThread::Procedure procedure;
  void* argument;
};

DWORD WINAPI ThreadStart(void* raw) {
  std::unique_ptr<StartInfo> start(static_cast<StartInfo*>(raw));
  return start->procedure(start->argument);
}

}  // namespace

CWinThread::~CWinThread() {
  if (m_hThread != nullptr) CloseHandle(m_hThread);
}

CWinThread* CWinThread::Begin(Procedure procedure, void* argument) {
  std::unique_ptr<CWinThread> thread(new CWinThread);
  auto* start = new StartInfo{procedure, argument};
  thread->m_hThread = CreateThread(nullptr, 0, &ThreadStart, start, 0, &thread->m_nThreadID);
  if (thread->m_hThread == nullptr) {
    delete start;
    return nullptr;
  }
  return thread.release();
}
