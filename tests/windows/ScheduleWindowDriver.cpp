#include "tests/windows/ScheduleWindowDriver.h"

#include "win/Text.h"

namespace {

// A box that the step shows keeps the handler waiting for the user.
constexpr UINT kSpinTimeoutMs = 10000;

struct BoxSearch {
  HWND owner;
  HWND found;
};

BOOL CALLBACK MatchOwnedMessageBox(HWND window, LPARAM raw) {
  auto* search = reinterpret_cast<BoxSearch*>(raw);
  wchar_t className[16] = {};
  GetClassNameW(window, className, 16);
  if (std::wstring(className) == L"#32770" && GetWindow(window, GW_OWNER) == search->owner) search->found = window;
  return search->found == nullptr;
}

BOOL CALLBACK TakeStaticText(HWND child, LPARAM raw) {
  wchar_t className[16] = {};
  GetClassNameW(child, className, 16);
  if (std::wstring(className) == L"Static" && GetWindowTextLengthW(child) > 0) {
    wchar_t text[256] = {};
    GetWindowTextW(child, text, 256);
    *reinterpret_cast<std::wstring*>(raw) = text;
  }
  return TRUE;
}

}  // namespace

LRESULT Spin(const CToolHarness& harness, int spinnerId, int delta) {
  NMUPDOWN notification = {};
  notification.hdr.hwndFrom = harness.Control(spinnerId);
  notification.hdr.idFrom = static_cast<UINT_PTR>(spinnerId);
  notification.hdr.code = UDN_DELTAPOS;
  notification.iDelta = delta;
  DWORD_PTR ignored = 0;
  if (!SendMessageTimeoutW(harness.Window(), WM_NOTIFY, static_cast<WPARAM>(spinnerId),
                           reinterpret_cast<LPARAM>(&notification), SMTO_NORMAL, kSpinTimeoutMs, &ignored)) {
    return kSpinTimedOut;
  }
  return GetWindowLongPtrW(harness.Window(), DWLP_MSGRESULT);
}

void FocusControl(const CToolHarness& harness, int id) {
  SendMessageW(harness.Window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(harness.Control(id)), TRUE);
}

void Type(const CToolHarness& harness, int id, const char* cp932Text) {
  FocusControl(harness, id);
  SendMessageW(harness.Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(WidenCp932(cp932Text).c_str()));
}

void TypeKeys(const CToolHarness& harness, int id, const std::wstring& text) {
  // A box that has the focus keeps its caret: typing goes on where it stopped.
  if (FocusedControl(harness) != harness.Control(id)) FocusControl(harness, id);
  for (wchar_t character : text) PostMessageW(harness.Control(id), WM_CHAR, character, 1);
}

bool WaitUntilWritten(const CToolHarness& harness, DWORD timeoutMs) {
  return CToolHarness::WaitFor([&] { return !harness.Tool()->m_session.HasUnwritten(); }, timeoutMs);
}

HWND FocusedControl(const CToolHarness& harness) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(harness.Window(), nullptr), &info);
  return info.hwndFocus;
}

HWND FindOwnedMessageBox(HWND owner) {
  BoxSearch search = {owner, nullptr};
  EnumThreadWindows(GetWindowThreadProcessId(owner, nullptr), &MatchOwnedMessageBox, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring MessageBoxText(HWND box) {
  std::wstring text;
  CToolHarness::WaitFor([&] {
    EnumChildWindows(box, &TakeStaticText, reinterpret_cast<LPARAM>(&text));
    return !text.empty();
  });
  return text;
}
