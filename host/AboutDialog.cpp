#include "host/AboutDialog.h"

#include <algorithm>

#include "host/res/HostResource.h"
#include "win/Text.h"

namespace {

// What the keyboard does in the schedule, its seal picker and this host.
constexpr const wchar_t* g_KeyLines[] = {
    L"In the schedule, wherever the focus is on the day page:",
    L"    Alt+Left, Alt+Right: the day before, the day after",
    L"    Alt+Up, Alt+Down: the same weekday a week earlier, a week later",
    L"    Alt+Page Up, Alt+Page Down: the month before, the month after, on day 1",
    L"    Alt+Home: today",
    L"    Tab to a seal slot, then Space or Return: the seal picker",
    L"    Ctrl+R in a schedule line: repeat it over many days (its right-click menu too)",
    L"    Ctrl+P: print the month as a calendar, or the diary of a range of days (Print... here too)",
    L"In the seal picker:",
    L"    Arrow keys: from seal to seal; Return or Space: the seal chosen",
    L"    Page Up, Page Down: the page before, the page after; Escape: nothing chosen",
    L"In the reminder window, once clicked or reached with Alt+Tab:",
    L"    Return or Escape: dismissed for good; Alt+S: again in 5 minutes",
    L"    A click on a line: that day in the schedule, opened again if it was closed",
    L"    How long before a line's time: Settings... (RemindMin: off, 0 to 60; 10 unset)",
    L"In this window: Ctrl+F, the search words; Alt+Y, the calendar sync dialog",
    L"    (also Settings..., カレンダー同期; plannix-host --sync syncs once without a window)",
};

}  // namespace

CAboutDialog::CAboutDialog(CToolBase& tool, CWnd* parent) : CDialog(IDD_HOST_ABOUT, parent), m_tool(tool) {}

BOOL CAboutDialog::OnInitDialog() {
  std::wstring facts = WidenCp932(m_tool.m_toolName.c_str()) + L": " + WidenCp932(m_tool.GetTitle()) + L"\r\nToolId " +
                       std::to_wstring(m_tool.m_toolId) + L", flag " + std::to_wstring(m_tool.m_toolFlag) +
                       L", value " + std::to_wstring(m_tool.m_toolValue) + L", template " +
                       std::to_wstring(m_tool.GetTemplateId());
  ::SetDlgItemTextW(m_hWnd, IDC_TOOL_FACTS, facts.c_str());
  std::wstring keys;
  for (const wchar_t* line : g_KeyLines) keys += std::wstring(line) + L"\r\n";
  ::SetDlgItemTextW(m_hWnd, IDC_KEYS, keys.c_str());
  // The tool keeps its images: the controls only show them.
  SendDlgItemMessageW(m_hWnd, IDC_TOOL_IMAGE, STM_SETIMAGE, IMAGE_BITMAP,
                      reinterpret_cast<LPARAM>(m_tool.m_hToolImage));
  SendDlgItemMessageW(m_hWnd, IDC_TOOL_IMAGE16, STM_SETIMAGE, IMAGE_BITMAP,
                      reinterpret_cast<LPARAM>(m_tool.m_hToolImage16));
  HWND revisions = GetDlgItem(IDC_REVISIONS);
  int widest = 0;
  for (int i = 0; i < m_tool.m_revisionHistory.GetSize(); ++i) {
    std::wstring line = WidenCp932(m_tool.m_revisionHistory[i].c_str());
    ::SendMessageW(revisions, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    widest = std::max(widest, static_cast<int>(line.size()));
  }
  // Enough to scroll to the end of the longest line.
  ::SendMessageW(revisions, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest * 12), 0);
  return TRUE;
}
