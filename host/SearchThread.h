#pragma once
// A search of the tool on a worker thread of the host, so that the window
// that receives the lines keeps answering; the request lives here.
#include <atomic>
#include <string>
#include <thread>

#include "tool/ToolBase.h"

// Posted to the result window when the tool's Search has returned.
constexpr UINT WM_HOST_SEARCHDONE = WM_APP + 1;

constexpr int16_t kTextSearch = 0;
constexpr int16_t kSealSearch = 2;

class CSearchThread {
 public:
  CSearchThread() = default;
  CSearchThread(const CSearchThread&) = delete;
  CSearchThread& operator=(const CSearchThread&) = delete;
  // Cancels a running search and waits for it, pumping this thread.
  ~CSearchThread();

  // False when a search is still running.
  bool Start(CToolBase& tool, CWnd& resultWnd, int16_t kind, std::string query);
  void Cancel() { m_request.bCancel = 1; }
  bool IsRunning() const { return m_running.load(); }
  // Pumps this thread until the search has returned; false on timeout.
  bool Wait(DWORD timeoutMs);

 private:
  void Join();

  SearchRequest m_request = {};
  std::string m_query;
  std::atomic<bool> m_running{false};
  std::thread m_thread;
};
