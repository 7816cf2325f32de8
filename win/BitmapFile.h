#pragma once
// Pictures of windows as 24-bit BMP files, for screenshots and test artifacts.
#include <string>

#include "win/WinHeaders.h"

// Writes bottom-up 24-bit rows (each padded to 4 bytes) as a BMP file.
bool WriteBmp24(const std::wstring& path, int width, int height, const void* bits);

// Copies what the window shows now, child controls included, into a BMP
// file; the caller lets it paint first. False when the window is gone or
// the file cannot be written.
bool SaveWindowBmp(HWND window, const std::wstring& path);
