#pragma once
// A tooltip control whose tools are whole child windows, any of which it
// can also show without the mouse, for the keyboard.
#include <string>

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
  // The text of the tool for the child window shown below it, whatever the
  // mouse does, until hidden; nothing for a tool without text.
  void ShowTrackedText(HWND tool);
  void HideTrackedText();
  // What the tip shown below a tool says, "" while none is shown.
  CString GetTrackedText() const;

 private:
  // Adds the tool, or gives it the text when it is there.
  void PutTool(TTTOOLINFOW& info, std::wstring text) const;
  std::wstring ToolText(TTTOOLINFOW info) const;

  HWND m_owner = nullptr;
  bool m_tracking = false;
};
