#pragma once
// The tool object the host drives: a modeless dialog with seven operations
// after those of CDialog, and public fields the host reads.
#include <atomic>
#include <cstdint>
#include <mutex>

#include "search/SearchRequest.h"
#include "tool/ToolHost.h"
#include "tool/ToolMessages.h"
#include "win/Dialog.h"
#include "win/String.h"
#include "win/Thread.h"

class CToolBase : public CDialog {
 public:
  CToolBase(UINT templateId, CWnd* hostWnd);
  ~CToolBase() override;

  // 1: stores the window position and writes the month file; 1 written, 0 not.
  virtual int SaveState() = 0;
  // 2: searches every month file; without a request, answers the host's two queries.
  virtual intptr_t Search(SearchRequest* request, const char* text) = 0;
  // 3: the window title.
  virtual const char* GetTitle() = 0;
  // 4: the modeless dialog from the template whose id is the low 16 bits.
  virtual BOOL CreateFromTemplate(UINT templateId, CWnd* parent);
  // 5: fonts, brushes, the data folder, then the UI thread with the window.
  virtual void Initialize() = 0;
  // 6: the template of the window.
  virtual UINT GetTemplateId() = 0;
  // 7: the settings dialog; also the handler of WM_TOOL_SETTINGS.
  virtual LRESULT OnSettings(WPARAM wParam, LPARAM lParam) = 0;

  CToolHost* m_pHost = nullptr;  // not owned
  CStringArray m_revisionHistory;
  CWnd* m_pHostWnd = nullptr;  // not owned
  CWinThread* m_pUiThread = nullptr;
  HICON m_hIcon = nullptr;
  int32_t m_toolId = 0;
  CString m_toolName;
  int32_t m_toolFlag = 0;
  int32_t m_toolValue = 0;
  HBITMAP m_hToolImage = nullptr;
  HBITMAP m_hToolImage16 = nullptr;
  // 1 while a modal dialog or message box of the tool is up; for the host.
  std::atomic<int32_t> m_modalActive{0};

  // One modal dialog or message box begins or ends, on whichever thread:
  // m_modalActive stays 1 until the last one open has ended.
  void EnterModal();
  void LeaveModal();

 private:
  std::mutex m_modalLock;
  int m_modalCount = 0;
};

// m_modalActive held at 1 for the scope's lifetime.
class CModalScope {
 public:
  explicit CModalScope(CToolBase& tool) : m_tool(tool) { m_tool.EnterModal(); }
  CModalScope(const CModalScope&) = delete;
  CModalScope& operator=(const CModalScope&) = delete;
  ~CModalScope() { m_tool.LeaveModal(); }

 private:
  CToolBase& m_tool;
};

using NewQuirelleToolFunction = CToolBase* (*)(CWnd* hostWnd, CToolHost* host);
