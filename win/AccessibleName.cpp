#include "win/AccessibleName.h"

#include <memory>
#include <mutex>

#include "win/AccessibleBase.h"

namespace {

constexpr UINT_PTR kNamedControlSubclass = 0x4E616D65;
// Where a named control keeps its name: not every import library has GetWindowSubclass.
constexpr wchar_t kNameProperty[] = L"Plannix.AccessibleName";

// Shared by the control and every object a client still holds of it.
struct ControlName {
  std::mutex lock;
  std::wstring name;
  LONG role = 0;
  HWND control = nullptr;  // nullptr once the control is gone
};
using SharedName = std::shared_ptr<ControlName>;

class CNamedAccessible final : public CAccessibleBase {
 public:
  // Takes the reference to system.
  CNamedAccessible(SharedName name, IAccessible* system) : m_name(std::move(name)), m_system(system) {}

  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return m_system->get_accParent(parent); }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override { return m_system->get_accChildCount(count); }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
    return m_system->get_accChild(child, object);
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (!IsSelf(child)) return m_system->get_accName(child, name);
    std::wstring text;
    {
      std::lock_guard<std::mutex> lock(m_name->lock);
      if (m_name->control == nullptr) return CO_E_OBJNOTCONNECTED;
      text = m_name->name;
    }
    return AnswerText(text, name);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return m_system->get_accValue(child, value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
    return m_system->get_accDescription(child, text);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (IsSelf(child) && role != nullptr) {
      std::lock_guard<std::mutex> lock(m_name->lock);
      if (m_name->role != 0) {
        role->vt = VT_I4;
        role->lVal = m_name->role;
        return S_OK;
      }
    }
    return m_system->get_accRole(child, role);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    return m_system->get_accState(child, state);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return m_system->get_accHelp(child, help);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
    return m_system->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override {
    return m_system->get_accKeyboardShortcut(child, keys);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override { return m_system->get_accFocus(child); }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
    return m_system->get_accSelection(children);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    return m_system->get_accDefaultAction(child, action);
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override { return m_system->accSelect(flags, child); }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override {
    return m_system->accLocation(left, top, width, height, child);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
    return m_system->accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
    return m_system->accHitTest(x, y, child);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override { return m_system->accDoDefaultAction(child); }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
    return m_system->put_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return m_system->put_accValue(child, value);
  }

 private:
  ~CNamedAccessible() override { m_system->Release(); }

  HWND OwnWindow() const override {
    std::lock_guard<std::mutex> lock(m_name->lock);
    return m_name->control;
  }

  const SharedName m_name;
  IAccessible* const m_system;
};

LRESULT CALLBACK NamedControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                  DWORD_PTR data) {
  auto* name = reinterpret_cast<SharedName*>(data);
  if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT) {
    IAccessible* system = nullptr;
    if (SUCCEEDED(
            CreateStdAccessibleObject(control, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&system)))) {
      auto* named = new CNamedAccessible(*name, system);
      const LRESULT answer = LresultFromObject(IID_IAccessible, wParam, static_cast<IAccessible*>(named));
      named->Release();
      return answer;
    }
  } else if (message == WM_NCDESTROY) {
    {
      std::lock_guard<std::mutex> lock((*name)->lock);
      (*name)->control = nullptr;
    }
    RemoveWindowSubclass(control, NamedControlProc, id);
    RemovePropW(control, kNameProperty);
    delete name;
  }
  return DefSubclassProc(control, message, wParam, lParam);
}

}  // namespace

void SetAccessibleName(HWND control, const std::wstring& name, AccessibleRole kind) {
  if (control == nullptr) return;
  const LONG role = kind == AccessibleRole::kPushButton ? ROLE_SYSTEM_PUSHBUTTON : 0;
  if (auto* known = static_cast<SharedName*>(GetPropW(control, kNameProperty))) {
    ControlName& named = **known;
    bool changed = false;
    {
      std::lock_guard<std::mutex> lock(named.lock);
      changed = named.name != name;
      named.name = name;
      named.role = role;
    }
    if (changed) NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, control, OBJID_CLIENT, CHILDID_SELF);
    return;
  }
  auto* shared = new SharedName(std::make_shared<ControlName>());
  (*shared)->name = name;
  (*shared)->role = role;
  (*shared)->control = control;
  if (!SetWindowSubclass(control, NamedControlProc, kNamedControlSubclass, reinterpret_cast<DWORD_PTR>(shared))) {
    delete shared;
  } else if (!SetPropW(control, kNameProperty, shared)) {
    RemoveWindowSubclass(control, NamedControlProc, kNamedControlSubclass);
    delete shared;
  }
}

void AnnounceAlert(HWND window) { NotifyWinEvent(EVENT_SYSTEM_ALERT, window, OBJID_CLIENT, CHILDID_SELF); }
