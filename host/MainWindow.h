#pragma once
// The host's main window: opens the schedule tool, saves it, opens its
// settings and its printing, searches the book with the results as they
// come, exports the book into a file, imports a calendar into it, shows About.
#include "host/HostContext.h"
#include "host/SearchThread.h"
#include "host/ToolSession.h"
#include "win/Dialog.h"

class CMainWindow : public CDialog {
 public:
  explicit CMainWindow(CHostContext& context);
  ~CMainWindow() override;

  // Creates the window and opens the tool; false when the window cannot be made.
  bool Start();
  // The message loop until the window is closed; the process's exit code.
  int Run();

  BOOL OnInitDialog() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  // Ctrl+F goes to the search words.
  BOOL PreTranslateMessage(MSG* msg) override;
  INT_PTR WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void OnSave();
  void OnSettings();
  void OnAbout();
  void OnExport();
  // The tool's calendar sync dialog, run here.
  void OnSyncSetup();
  void OnRunSearch();
  void OnSearchResult(const CString* line);
  void OnSearchDone();
  void OnClose();
  // The seal picker of the tool, run here; 0 when none was chosen.
  int ChooseSeal();
  void UpdateControls();
  void SetStatus(const std::wstring& text);

  CHostContext& m_context;
  CToolSession m_session;
  CSearchThread m_search;
  bool m_toolLoaded = false;
  // A dialog of the tool (the seal picker, the sync setup) runs on this thread.
  bool m_toolDialogOpen = false;
  int m_resultCount = 0;
};
