#pragma once
// The fonts of the schedule window's labels and calendar, at the screen's
// size or at a page's scale.
#include "ui/core/CalendarGeometry.h"
#include "win/Gdi.h"

struct FontSpec {
  int height;  // screen pixels: the cell height of the font
  int weight;
  BYTE outPrecision;
  BYTE quality;
  const char* face;  // cp932; "" for the system's choice
};

extern const FontSpec kLabelFontSpec;
extern const FontSpec kDayFontSpec;
extern const FontSpec kLineFontSpec;

// The font of the spec at the scale; false when none could be made.
bool CreateSpecFont(CFont& font, const FontSpec& spec, const CalendarScale& scale = {1, 1});
// The same with a height of the device's pixels.
bool CreateSpecFontOfHeight(CFont& font, const FontSpec& spec, int height);
