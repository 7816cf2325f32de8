#pragma once
// A window's pixels, with its child controls, as a 24-bit BMP file.
#include <string>

#include "win/WinHeaders.h"

// Redraws the window, lets its thread paint it and copies it from the
// screen; false when the window is gone or the file cannot be written.
bool CaptureWindowToBmp(HWND window, const std::wstring& bmpPath);
