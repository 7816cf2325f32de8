#pragma once
// The month on a page: the month and year as a heading, then the calendar
// grid filling the rest, everything inside it at one scale from the
// screen's, so that a cell shows what the screen's does, only larger.
#include "ui/core/CalendarGeometry.h"

struct MonthPageLayout {
  PixelRect heading;
  int headingFontHeight;
  CalendarGrid grid;  // its fonts are the screen's, scaled by grid.scale
};

// Screen pixels of the page's heading band above the grid.
constexpr int kMonthHeadingBand = 48;

// Within body; a body too small to hold a grid gives cells of no size.
MonthPageLayout LayOutMonthPage(const PixelRect& body);
