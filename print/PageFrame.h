#pragma once
// What a printer says of its page, and the part of it a page is drawn in.
#include "ui/core/CalendarGeometry.h"

// In the device's pixels, as its device context tells them.
struct PageFacts {
  int printableWidth;  // the area the device can print, from its origin
  int printableHeight;
  int dpiX;
  int dpiY;
  int offsetX;  // from the paper's edge to the printable area
  int offsetY;
  int paperWidth;  // 0 when the device does not say: the printable area is the paper
  int paperHeight;
};

// What is left white around the drawing, from the paper's edges.
constexpr int kPageMarginMillimetres = 10;

int MillimetresToPixels(int millimetres, int dpi);

// The printable area less what lies within the margin of the paper's
// edges, in the printable area's coordinates. Empty (right <= left or
// bottom <= top) when nothing is left.
PixelRect PageBody(const PageFacts& page, int marginMillimetres = kPageMarginMillimetres);
