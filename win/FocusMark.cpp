#include "win/FocusMark.h"

namespace {

constexpr wchar_t kOriginalProcedure[] = L"Plannix.FocusMark.Procedure";
constexpr wchar_t kNames[] = L"Plannix.FocusMark.Names";
constexpr int kFrameWidth = 2;

// Drawn over the control's own painting, which covers all of it, so the
// frame goes with the next paint after the focus leaves.
void DrawFocusFrame(HWND control) {
  RECT frame;
  GetClientRect(control, &frame);
  HDC dc = GetDC(control);
  for (int ring = 0; ring < kFrameWidth; ++ring) {
    FrameRect(dc, &frame, GetSysColorBrush(COLOR_HIGHLIGHT));
    InflateRect(&frame, -1, -1);
  }
  ReleaseDC(control, dc);
}

LRESULT CALLBACK MarkedControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  auto original = reinterpret_cast<WNDPROC>(GetPropW(control, kOriginalProcedure));
  auto* names = static_cast<CToolTipCtrl*>(GetPropW(control, kNames));
  switch (message) {
    case WM_SETFOCUS:
      InvalidateRect(control, nullptr, TRUE);
      names->ShowTrackedText(control);
      break;
    case WM_KILLFOCUS:
      InvalidateRect(control, nullptr, TRUE);
      names->HideTrackedText();
      break;
    case WM_PAINT: {
      LRESULT result = CallWindowProcW(original, control, message, wParam, lParam);
      if (GetFocus() == control) DrawFocusFrame(control);
      return result;
    }
    case WM_NCDESTROY:
      SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
      RemovePropW(control, kOriginalProcedure);
      RemovePropW(control, kNames);
      break;
    default:
      break;
  }
  return CallWindowProcW(original, control, message, wParam, lParam);
}

}  // namespace

void MarkKeyboardFocus(HWND control, CToolTipCtrl& names) {
  if (control == nullptr || GetPropW(control, kOriginalProcedure) != nullptr) return;
  SetPropW(control, kNames, &names);
  SetPropW(control, kOriginalProcedure, reinterpret_cast<HANDLE>(GetWindowLongPtrW(control, GWLP_WNDPROC)));
  SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MarkedControlProc));
}
