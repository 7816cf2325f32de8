#include "host/SearchThread.h"

#include <utility>

#include "host/MessagePump.h"

CSearchThread::~CSearchThread() {
  Cancel();
  Wait(INFINITE);
}

bool CSearchThread::Start(CToolBase& tool, CWnd& resultWnd, int16_t kind, std::string query) {
  if (IsRunning()) return false;
  Join();
  m_request = SearchRequest{};
  m_request.pResultWnd = &resultWnd;
  m_request.nKind = kind;
  m_query = std::move(query);
  m_running = true;
  HWND resultHwnd = resultWnd.m_hWnd;
  m_thread = std::thread([this, &tool, resultHwnd] {
    tool.Search(&m_request, m_query.c_str());
    m_running = false;
    ::PostMessageW(resultHwnd, WM_HOST_SEARCHDONE, 0, 0);
  });
  return true;
}

bool CSearchThread::Wait(DWORD timeoutMs) {
  // The worker delivers lines by SendMessage to this thread: block only while pumping.
  bool ended = PumpUntil([this] { return !IsRunning(); }, timeoutMs);
  if (ended) Join();
  return ended;
}

void CSearchThread::Join() {
  if (m_thread.joinable()) m_thread.join();
}
