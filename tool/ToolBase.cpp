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

void CToolBase::EnterModal() {
  std::lock_guard<std::mutex> lock(m_modalLock);
  ++m_modalCount;
  m_modalActive = 1;
}

void CToolBase::LeaveModal() {
  std::lock_guard<std::mutex> lock(m_modalLock);
  if (m_modalCount > 0) --m_modalCount;
  if (m_modalCount == 0) m_modalActive = 0;
}
