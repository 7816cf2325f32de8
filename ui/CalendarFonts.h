#pragma once
// The fonts of the schedule window's labels and calendar, at the screen's
// size or at a page's scale.
#include "ui/core/CalendarGeometry.h"
#include "win/Gdi.h"

struct FontLook {
  int height;  // screen pixels: the cell height of the font
  int weight;
  BYTE outPrecision;
  BYTE quality;
  const char* face;  // cp932; "" for the system's choice
};

extern const FontLook kLabelFontLook;
extern const FontLook kDayFontLook;
extern const FontLook kLineFontLook;

// The font of the look at the scale; false when none could be made.
bool CreateFontOfLook(CFont& font, const FontLook& look, const CalendarScale& scale = {1, 1});
// The same with a height of the device's pixels.
bool CreateFontOfLookAtHeight(CFont& font, const FontLook& look, int height);
