#pragma once
// What every accessible object of ours shares: its COM identity, a count
// of references that any thread may change, the window it belongs to (for
// WindowFromAccessibleObject), and no IDispatch of its own: clients call
// the IAccessible methods themselves.
#include <atomic>
#include <string>

#include "win/WinHeaders.h"

#include <oleacc.h>

class CAccessibleBase : public IAccessible, public IOleWindow {
 public:
  CAccessibleBase() = default;
  CAccessibleBase(const CAccessibleBase&) = delete;
  CAccessibleBase& operator=(const CAccessibleBase&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }

  HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

 protected:
  virtual ~CAccessibleBase() = default;
  // nullptr once the window is gone.
  virtual HWND OwnWindow() const = 0;

 private:
  std::atomic<ULONG> m_references{1};
};

// The answer of a text property: a new BSTR, or E_OUTOFMEMORY.
HRESULT AnswerText(const std::wstring& text, BSTR* answer);
// A child id that names the object itself.
inline bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }
