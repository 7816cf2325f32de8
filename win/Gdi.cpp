#include "win/Gdi.h"

#include <cwchar>

#include "win/Module.h"
#include "win/Text.h"

bool CFont::CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                       BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision,
                       BYTE quality, BYTE pitchAndFamily, const char* cp932FaceName) {
  std::wstring face = WidenCp932(cp932FaceName);
  Attach(::CreateFontW(height, width, escapement, orientation, weight, italic, underline, strikeOut, charSet,
                       outPrecision, clipPrecision, quality, pitchAndFamily, face.c_str()));
  return GetSafeHandle() != nullptr;
}

bool CBitmap::LoadBitmap(int resourceId) {
  Attach(::LoadBitmapW(ResourceModule(), MAKEINTRESOURCEW(resourceId)));
  return GetSafeHandle() != nullptr;
}

void FillSolidRect(HDC dc, const RECT& rect, COLORREF color) {
  ::SetBkColor(dc, color);
  ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}
