#include "host/AboutDialog.h"

#include <algorithm>

#include "host/res/HostResource.h"
#include "win/Text.h"

CAboutDialog::CAboutDialog(CToolBase& tool, CWnd* parent) : CDialog(IDD_HOST_ABOUT, parent), m_tool(tool) {}

BOOL CAboutDialog::OnInitDialog() {
  std::wstring facts = WidenCp932(m_tool.m_toolName.c_str()) + L": " + WidenCp932(m_tool.GetTitle()) +
                       L"\r\nToolId " + std::to_wstring(m_tool.m_toolId) + L", flag " +
                       std::to_wstring(m_tool.m_toolFlag) + L", value " + std::to_wstring(m_tool.m_toolValue) +
                       L", template " + std::to_wstring(m_tool.GetTemplateId());
  ::SetDlgItemTextW(m_hWnd, IDC_TOOL_FACTS, facts.c_str());
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
