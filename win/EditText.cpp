#include "win/EditText.h"

#include <cstring>
#include <string>

#include "win/Text.h"

namespace {

// The control keeps the buffer and frees it when it is destroyed.
HLOCAL NewEditBuffer(const std::wstring& text) {
  const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HLOCAL buffer = LocalAlloc(LMEM_MOVEABLE, bytes);
  if (buffer == nullptr) return nullptr;
  void* memory = LocalLock(buffer);
  if (memory == nullptr) {
    LocalFree(buffer);
    return nullptr;
  }
  std::memcpy(memory, text.c_str(), bytes);
  LocalUnlock(buffer);
  return buffer;
}

}  // namespace

bool ReplaceEditTextCp932(HWND edit, const char* text) {
  const std::wstring wide = WidenCp932(text);
  // A buffer holds the window's own character set; an empty text has nothing to lay out.
  const bool multiline = (GetWindowLongW(edit, GWL_STYLE) & ES_MULTILINE) != 0;
  HLOCAL buffer = wide.empty() || !multiline || !IsWindowUnicode(edit) ? nullptr : NewEditBuffer(wide);
  if (buffer == nullptr) return SetWindowTextW(edit, wide.c_str()) != FALSE;
  HLOCAL previous = reinterpret_cast<HLOCAL>(SendMessageW(edit, EM_GETHANDLE, 0, 0));
  SendMessageW(edit, EM_SETHANDLE, reinterpret_cast<WPARAM>(buffer), 0);
  if (previous != nullptr && previous != buffer) LocalFree(previous);
  return true;
}
