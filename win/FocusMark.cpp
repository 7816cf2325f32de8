#include "win/FocusMark.h"

#include "win/ReplacedProcedure.h"

namespace {

constexpr int kFrameWidth = 2;

struct FocusMark : ReplacedProcedure {
  CToolTipCtrl* names = nullptr;
};

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
  auto* mark = ReplacedState<FocusMark>(control);
  WNDPROC original = mark->original;
  CToolTipCtrl* names = mark->names;
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
      original = RestoreProcedure(control, mark);
      break;
    default:
      break;
  }
  return CallWindowProcW(original, control, message, wParam, lParam);
}

}  // namespace

void MarkKeyboardFocus(HWND control, CToolTipCtrl& names) {
  auto* mark = new FocusMark;
  mark->names = &names;
  ReplaceProcedure(control, &MarkedControlProc, mark);
}
