#include "win/DataExchange.h"

#include "win/Wnd.h"

namespace {

bool StartsGroup(HWND control) { return (GetWindowLongW(control, GWL_STYLE) & WS_GROUP) != 0; }

}  // namespace

void DDX_Radio(CDataExchange* pDX, int firstId, int& value) {
  HWND button = GetDlgItem(pDX->m_hDlg, firstId);
  if (button == nullptr) return;
  if (pDX->m_bSaveAndValidate) value = -1;
  int position = 0;
  do {
    if (pDX->m_bSaveAndValidate) {
      if (SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED) value = position;
    } else {
      SendMessageW(button, BM_SETCHECK, position == value ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    ++position;
    button = GetWindow(button, GW_HWNDNEXT);
  } while (button != nullptr && !StartsGroup(button));
}

void DDX_Check(CDataExchange* pDX, int id, int& value) {
  HWND box = GetDlgItem(pDX->m_hDlg, id);
  if (box == nullptr) return;
  if (pDX->m_bSaveAndValidate) {
    value = SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
  } else {
    SendMessageW(box, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
  }
}

void DDX_Control(CDataExchange* pDX, int id, CWnd& control) {
  if (!pDX->m_bSaveAndValidate) control.Attach(GetDlgItem(pDX->m_hDlg, id));
}
