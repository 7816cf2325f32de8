#pragma once
// A tooltip control whose tools are whole child windows.
#include "win/Wnd.h"

class CToolTipCtrl : public CWnd {
 public:
  CToolTipCtrl() = default;
  ~CToolTipCtrl() override;

  bool Create(CWnd* parent, DWORD style);
  void SetDelayTime(DWORD which, int milliseconds) const;
  void SetTipBkColor(COLORREF color) const;
  // Adds the tool for the child window, or renames it when it is there.
  void SetToolText(HWND tool, const char* cp932Text) const;
  void RelayEvent(MSG* msg) const;
  // The text of the tool for the child window, as cp932 (for tests and checks).
  CString GetToolText(HWND tool) const;

 private:
  HWND m_owner = nullptr;
};
