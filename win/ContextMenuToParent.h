#pragma once
// A control whose context menu its dialog makes: WM_CONTEXTMENU goes to the
// parent (wParam the control, lParam the screen point, or -1 from the
// keyboard) and the control's own menu is not shown. Through the common
// controls' subclassing, so that whatever the control's user data holds stays.
#include "win/WinHeaders.h"

bool SendContextMenuToParent(HWND control);
