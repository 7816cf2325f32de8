#pragma once
// Filling a multi-line edit with a whole new text.
#include "win/WinHeaders.h"

// Shows `text` (cp932) in the edit as WM_SETTEXT would: from its start,
// nothing to undo, not modified. A multi-line edit gets a buffer of its own,
// which it lays out once instead of replacing a selection step by step.
bool ReplaceEditTextCp932(HWND edit, const char* text);
