#include "win/BitmapFile.h"

#include <cstdio>

namespace {

DWORD RowStride(int width) { return ((static_cast<DWORD>(width) * 3 + 3) / 4) * 4; }

BITMAPINFOHEADER Header24(int width, int height) {
  BITMAPINFOHEADER header = {};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  return header;
}

}  // namespace

bool WriteBmp24(const std::wstring& path, int width, int height, const void* bits) {
  if (bits == nullptr || width <= 0 || height <= 0) return false;
  BITMAPINFOHEADER header = Header24(width, height);
  DWORD imageSize = RowStride(width) * static_cast<DWORD>(height);
  BITMAPFILEHEADER file = {};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = file.bfOffBits + imageSize;
  FILE* out = _wfopen(path.c_str(), L"wb");
  if (out == nullptr) return false;
  bool written = fwrite(&file, sizeof file, 1, out) == 1 && fwrite(&header, sizeof header, 1, out) == 1 &&
                 fwrite(bits, 1, imageSize, out) == imageSize;
  return fclose(out) == 0 && written;
}

bool SaveWindowBmp(HWND window, const std::wstring& path) {
  RECT rect;
  if (!::IsWindow(window) || !GetWindowRect(window, &rect)) return false;
  int width = rect.right - rect.left;
  int height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return false;
  BITMAPINFO info = {};
  info.bmiHeader = Header24(width, height);

  HDC windowDc = GetWindowDC(window);
  HDC memoryDc = CreateCompatibleDC(windowDc);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(memoryDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool written = false;
  if (bitmap != nullptr) {
    HGDIOBJ old = SelectObject(memoryDc, bitmap);
    bool copied = BitBlt(memoryDc, 0, 0, width, height, windowDc, 0, 0, SRCCOPY) != FALSE;
    GdiFlush();
    SelectObject(memoryDc, old);
    written = copied && WriteBmp24(path, width, height, bits);
    DeleteObject(bitmap);
  }
  DeleteDC(memoryDc);
  ReleaseDC(window, windowDc);
  return written;
}
