#pragma once
// The About box: the tool's title, facts, images and revision history.
#include "tool/ToolBase.h"
#include "win/Dialog.h"

class CAboutDialog : public CDialog {
 public:
  CAboutDialog(CToolBase& tool, CWnd* parent);

  BOOL OnInitDialog() override;

 private:
  CToolBase& m_tool;  // not owned
};
