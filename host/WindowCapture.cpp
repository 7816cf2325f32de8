#include "host/WindowCapture.h"

#include <cstdio>
#include <vector>

#include "host/MessagePump.h"

namespace {

constexpr DWORD kPaintTimeoutMs = 10000;
// The X server shows what was painted a moment later.
constexpr DWORD kSettleMs = 300;

bool WriteBmp(const std::wstring& path, const BITMAPINFOHEADER& header, const void* bits, DWORD imageSize) {
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

}  // namespace

bool CaptureWindowToBmp(HWND window, const std::wstring& bmpPath) {
  if (!::IsWindow(window)) return false;
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, kPaintTimeoutMs, &ignored);
  PumpFor(kSettleMs);

  RECT rect;
  if (!GetWindowRect(window, &rect)) return false;
  int width = rect.right - rect.left;
  int height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return false;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;

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
    DWORD stride = ((static_cast<DWORD>(width) * 3 + 3) / 4) * 4;
    written = copied && WriteBmp(bmpPath, info.bmiHeader, bits, stride * static_cast<DWORD>(height));
    DeleteObject(bitmap);
  }
  DeleteDC(memoryDc);
  ReleaseDC(window, windowDc);
  return written;
}
