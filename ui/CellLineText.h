#pragma once
// A calendar line drawn as DrawText with DT_END_ELLIPSIS | DT_VCENTER draws
// it, pixel for pixel, at a fraction of its cost for the common plain row.
#include <string>

#include "win/WinHeaders.h"

// text in UTF-16; the device context's font, colour and mode as they are.
void DrawEndEllipsisText(HDC dc, const std::wstring& text, const RECT& rect);
