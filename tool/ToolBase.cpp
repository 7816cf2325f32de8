#include "tool/ToolBase.h"

CToolBase::CToolBase(UINT templateId, CWnd* hostWnd) : CDialog(templateId, hostWnd), m_pHostWnd(hostWnd) {}

CToolBase::~CToolBase() {
  if (m_hToolImage != nullptr) DeleteObject(m_hToolImage);
  if (m_hToolImage16 != nullptr) DeleteObject(m_hToolImage16);
  delete m_pUiThread;
}

BOOL CToolBase::CreateFromTemplate(UINT templateId, CWnd* parent) try {
  return Create(LOWORD(templateId), parent) ? TRUE : FALSE;
} catch (...) {
  return FALSE;  // nothing the library throws reaches the host
}
