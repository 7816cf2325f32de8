#include "win/ToolTip.h"

#include <string>
#include <vector>

#include "win/Module.h"
#include "win/Text.h"

namespace {

TTTOOLINFOW ToolInfo(HWND owner, HWND tool) {
  TTTOOLINFOW info = {};
  // The whole structure is version 6 only: common controls 5 (a host
  // without a version 6 manifest) refuses it and no tooltip would show.
  info.cbSize = TTTOOLINFOW_V2_SIZE;
  info.uFlags = TTF_IDISHWND;
  info.hwnd = owner;
  info.uId = reinterpret_cast<UINT_PTR>(tool);
  return info;
}

// One tool of the owner's own, shown where it is put rather than under the mouse.
constexpr UINT_PTR kTrackedToolId = 1;
constexpr int kTrackedGap = 2;

TTTOOLINFOW TrackedToolInfo(HWND owner) {
  TTTOOLINFOW info = {};
  info.cbSize = TTTOOLINFOW_V2_SIZE;
  info.uFlags = TTF_TRACK | TTF_ABSOLUTE;
  info.hwnd = owner;
  info.uId = kTrackedToolId;
  return info;
}

}  // namespace

CToolTipCtrl::~CToolTipCtrl() {
  if (IsWindow()) DestroyWindow();
}

bool CToolTipCtrl::Create(CWnd* parent, DWORD style) {
  m_owner = parent ? parent->m_hWnd : nullptr;
  m_tracking = false;
  m_hWnd = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | style, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, m_owner, nullptr, ResourceModule(), nullptr);
  return m_hWnd != nullptr;
}

void CToolTipCtrl::SetDelayTime(DWORD which, int milliseconds) const {
  SendMessage(TTM_SETDELAYTIME, which, MAKELPARAM(milliseconds, 0));
}

void CToolTipCtrl::SetTipBkColor(COLORREF color) const { SendMessage(TTM_SETTIPBKCOLOR, color, 0); }

void CToolTipCtrl::SetToolText(HWND tool, const char* cp932Text) const {
  if (m_hWnd == nullptr) return;
  TTTOOLINFOW info = ToolInfo(m_owner, tool);
  PutTool(info, WidenCp932(cp932Text));
}

void CToolTipCtrl::PutTool(TTTOOLINFOW& info, std::wstring text) const {
  info.lpszText = &text[0];
  if (text.empty()) info.lpszText = const_cast<wchar_t*>(L"");
  TTTOOLINFOW existing = info;
  existing.lpszText = nullptr;
  if (SendMessage(TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&existing))) {
    SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
  } else {
    SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  }
}

void CToolTipCtrl::RelayEvent(MSG* msg) const {
  if (m_hWnd != nullptr) SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
}

CString CToolTipCtrl::GetToolText(HWND tool) const { return NarrowToCp932(ToolText(ToolInfo(m_owner, tool)).c_str()); }

std::wstring CToolTipCtrl::ToolText(TTTOOLINFOW info) const {
  std::vector<wchar_t> buffer(1024, L'\0');
  info.lpszText = buffer.data();
  SendMessage(TTM_GETTEXTW, buffer.size(), reinterpret_cast<LPARAM>(&info));
  return buffer.data();
}

void CToolTipCtrl::ShowTrackedText(HWND tool) {
  if (m_hWnd == nullptr) return;
  const std::wstring text = ToolText(ToolInfo(m_owner, tool));
  if (text.empty()) {
    HideTrackedText();
    return;
  }
  TTTOOLINFOW info = TrackedToolInfo(m_owner);
  PutTool(info, text);
  RECT below;
  GetWindowRect(tool, &below);
  SendMessage(TTM_TRACKPOSITION, 0, MAKELPARAM(below.left, below.bottom + kTrackedGap));
  SendMessage(TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&info));
  m_tracking = true;
}

void CToolTipCtrl::HideTrackedText() {
  if (m_hWnd == nullptr || !m_tracking) return;
  TTTOOLINFOW info = TrackedToolInfo(m_owner);
  SendMessage(TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&info));
  m_tracking = false;
}

CString CToolTipCtrl::GetTrackedText() const {
  if (m_hWnd == nullptr || !m_tracking) return CString();
  return NarrowToCp932(ToolText(TrackedToolInfo(m_owner)).c_str());
}
