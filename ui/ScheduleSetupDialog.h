#pragma once
// The settings dialog: colour theme, diary cover, Japanese names.
#include "tool/ToolHost.h"
#include "win/Dialog.h"

class CScheduleSetupDialog : public CDialog {
 public:
  explicit CScheduleSetupDialog(CWnd* parent);

  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  INT_PTR WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // Runs the dialog against the host's settings store; IDOK or IDCANCEL.
  virtual INT_PTR DoModalWithHost(CToolHost* host);

  int m_nBackColor = -1;
  int m_bDspDiaryCover = 0;
  int m_bDspLanguage = 0;
  RECT m_rcSample = {};
  CToolHost* m_pHost = nullptr;  // not owned
};
