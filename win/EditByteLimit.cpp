#include "win/EditByteLimit.h"

#include <string>

#include "win/ReplacedProcedure.h"
#include "win/Text.h"

namespace {

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

struct ByteLimit : ReplacedProcedure {
  size_t maxBytes = 0;
};

LRESULT CALLBACK ByteLimitProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* limit = ReplacedState<ByteLimit>(edit);
  WNDPROC original = limit->original;
  switch (message) {
    case WM_CHAR:
    case WM_IME_CHAR:
    case WM_IME_COMPOSITION:
    case WM_PASTE:
    case WM_UNDO:
    case EM_UNDO: {
      const LRESULT result = CallWindowProcW(original, edit, message, wParam, lParam);
      RefuseOverflow(edit, limit->maxBytes);
      return result;
    }
    case WM_NCDESTROY:
      original = RestoreProcedure(edit, limit);
      break;
    default:
      break;
  }
  return CallWindowProcW(original, edit, message, wParam, lParam);
}

}  // namespace

bool LimitEditToCp932Bytes(HWND edit, size_t maxBytes) {
  auto* limit = new ByteLimit;
  limit->maxBytes = maxBytes;
  return ReplaceProcedure(edit, &ByteLimitProc, limit);
}
