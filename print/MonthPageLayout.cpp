#include "print/MonthPageLayout.h"

#include <algorithm>

namespace {

constexpr int kScaleDenominator = 1000;
// The screen's calendar as the page needs it: a column's cell, and the
// heading, the header and six rows tall enough for a cell's five lines.
constexpr int kPageHeight = kMonthHeadingBand + kHeaderHeight + kGridRows * (kCellContentHeight + 2);
constexpr int kScreenHeadingFont = 32;

}  // namespace

MonthPageLayout LayOutMonthPage(const PixelRect& body) {
  const int width = std::max(0, body.right - body.left);
  const int height = std::max(0, body.bottom - body.top);
  // Of a whole cell, so that nothing drawn at the scale overhangs it by a rounding.
  const long long byWidth = static_cast<long long>(width / kGridColumns) * kScaleDenominator / kCellWidth;
  const long long byHeight = static_cast<long long>(height) * kScaleDenominator / kPageHeight;
  const CalendarScale scale = {static_cast<int>(std::max(1LL, std::min(byWidth, byHeight))), kScaleDenominator};

  MonthPageLayout page = {};
  const int band = std::min(height, scale.Of(kMonthHeadingBand));
  page.heading = {body.left, body.top, body.left + width, body.top + band};
  page.headingFontHeight = scale.Of(kScreenHeadingFont);
  const int headerHeight = std::min(height - band, scale.Of(kHeaderHeight));
  page.grid.headerHeight = headerHeight;
  page.grid.cellWidth = width / kGridColumns;
  page.grid.cellHeight = (height - band - headerHeight) / kGridRows;
  page.grid.scale = scale;
  const int top = body.top + band;
  page.grid.area = {body.left, top, body.left + page.grid.cellWidth * kGridColumns,
                    top + headerHeight + page.grid.cellHeight * kGridRows};
  return page;
}
