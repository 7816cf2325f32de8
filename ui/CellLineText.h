#pragma once
// A calendar line drawn as DrawText with DT_END_ELLIPSIS | DT_VCENTER draws
// it, pixel for pixel, at a fraction of its cost for the common plain row.
#include <string>

#include "win/WinHeaders.h"

// What a text shows in a row of some width with the device context's font.
struct EndEllipsisLayout {
  std::wstring shown;  // drawn with one ExtTextOut; for DrawText, the whole text
  bool byDrawText;     // a text with prefixes or control characters keeps DrawText's own rules
};

EndEllipsisLayout LayOutEndEllipsisText(HDC dc, const std::wstring& text, int width);
// The device context's font, colour and mode as they are; its font is the one laid out with.
void DrawEndEllipsisLayout(HDC dc, const EndEllipsisLayout& layout, const RECT& rect);
// Both at once; text in UTF-16.
void DrawEndEllipsisText(HDC dc, const std::wstring& text, const RECT& rect);
