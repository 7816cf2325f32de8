#include "win/EditByteLimit.h"

#include <string>

#include "win/Text.h"

namespace {

constexpr UINT_PTR kByteLimitSubclass = 0x504C4E58;  // one subclass of ours per edit

size_t Cp932Bytes(const wchar_t* text, size_t length) {
  if (length == 0) return 0;
  int bytes = WideCharToMultiByte(kCodePage932, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
  return bytes > 0 ? static_cast<size_t>(bytes) : length;
}

// Whatever was inserted ends at the caret: the characters before it go
// until the text fits, never half a surrogate pair or half a line break.
void RefuseOverflow(HWND edit, size_t maxBytes) {
  const std::wstring text = GetWindowTextWide(edit);
  size_t bytes = Cp932Bytes(text.data(), text.size());
  if (bytes <= maxBytes) return;
  DWORD selectionEnd = 0;
  SendMessageW(edit, EM_GETSEL, 0, reinterpret_cast<LPARAM>(&selectionEnd));
  const size_t caret = selectionEnd < text.size() ? selectionEnd : text.size();
  size_t cut = caret;
  while (cut > 0 && bytes > maxBytes) {
    size_t width = 1;
    if (cut >= 2 && IS_LOW_SURROGATE(text[cut - 1]) && IS_HIGH_SURROGATE(text[cut - 2])) width = 2;
    if (cut >= 2 && text[cut - 1] == L'\n' && text[cut - 2] == L'\r') width = 2;
    bytes -= Cp932Bytes(text.data() + cut - width, width);
    cut -= width;
  }
  if (cut > 0 && cut < text.size() && text[cut - 1] == L'\r' && text[cut] == L'\n') --cut;
  if (cut == caret) return;
  SendMessageW(edit, EM_SETSEL, cut, caret);
  SendMessageW(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L""));
  MessageBeep(MB_OK);
}

LRESULT CALLBACK ByteLimitProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR maxBytes) {
  switch (message) {
    case WM_CHAR:
    case WM_IME_CHAR:
    case WM_IME_COMPOSITION:
    case WM_PASTE:
    case WM_UNDO:
    case EM_UNDO: {
      const LRESULT result = DefSubclassProc(edit, message, wParam, lParam);
      RefuseOverflow(edit, static_cast<size_t>(maxBytes));
      return result;
    }
    case WM_NCDESTROY:
      RemoveWindowSubclass(edit, ByteLimitProc, kByteLimitSubclass);
      break;
    default:
      break;
  }
  return DefSubclassProc(edit, message, wParam, lParam);
}

}  // namespace

bool LimitEditToCp932Bytes(HWND edit, size_t maxBytes) {
  return SetWindowSubclass(edit, ByteLimitProc, kByteLimitSubclass, static_cast<DWORD_PTR>(maxBytes)) != FALSE;
}
