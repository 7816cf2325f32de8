#include "host/WindowCapture.h"

#include "host/MessagePump.h"
#include "win/BitmapFile.h"

namespace {

constexpr DWORD kPaintTimeoutMs = 10000;
// The X server shows what was painted a moment later.
constexpr DWORD kSettleMs = 300;

}  // namespace

bool CaptureWindowToBmp(HWND window, const std::wstring& bmpPath) {
  if (!::IsWindow(window)) return false;
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, kPaintTimeoutMs, &ignored);
  PumpFor(kSettleMs);

  return SaveWindowBmp(window, bmpPath);
}
