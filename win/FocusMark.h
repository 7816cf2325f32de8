#pragma once
// A static control that takes the keyboard focus shows nothing of it by
// itself. Marked, it is framed while it has the focus, and the text that a
// tooltip gives it for hovering shows beside it as long as the focus stays.
#include "win/ToolTip.h"

// names: not owned; must outlive the control.
void MarkKeyboardFocus(HWND control, CToolTipCtrl& names);
