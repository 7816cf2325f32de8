#pragma once
// Moving values between a dialog's controls and its members.
#include "win/WinHeaders.h"

class CWnd;

struct CDataExchange {
  HWND m_hDlg = nullptr;
  bool m_bSaveAndValidate = false;  // true: controls -> members
};

// A group of automatic radio buttons starting at firstId, in tab order up to
// the next WS_GROUP control: value = the checked button's position, -1 none.
void DDX_Radio(CDataExchange* pDX, int firstId, int& value);
void DDX_Check(CDataExchange* pDX, int id, int& value);
// Attaches the wrapper to the control (loading only).
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
