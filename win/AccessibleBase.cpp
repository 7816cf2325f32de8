#include "win/AccessibleBase.h"

HRESULT CAccessibleBase::QueryInterface(REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IAccessible) {
    *object = static_cast<IAccessible*>(this);
  } else if (iid == IID_IOleWindow) {
    *object = static_cast<IOleWindow*>(this);
  } else {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

ULONG CAccessibleBase::AddRef() { return ++m_references; }

ULONG CAccessibleBase::Release() {
  const ULONG left = --m_references;
  if (left == 0) delete this;
  return left;
}

HRESULT CAccessibleBase::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT CAccessibleBase::GetWindow(HWND* window) {
  if (window == nullptr) return E_POINTER;
  *window = OwnWindow();
  return *window != nullptr ? S_OK : E_FAIL;
}

HRESULT AnswerText(const std::wstring& text, BSTR* answer) {
  if (answer == nullptr) return E_POINTER;
  *answer = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return *answer != nullptr ? S_OK : E_OUTOFMEMORY;
}
