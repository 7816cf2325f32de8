#pragma once
// An edit whose text, as cp932, never grows beyond a number of bytes:
// what is typed, pasted or composed beyond it is refused with the
// system's beep, so nothing is cut away unseen when the text is stored.
#include <cstddef>

#include "win/WinHeaders.h"

bool LimitEditToCp932Bytes(HWND edit, size_t maxBytes);
