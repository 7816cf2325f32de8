#pragma once
// Where the month calendar puts things: header band, cells, the selection
// and hit areas, and everything inside a cell. The screen's grid is in
// client pixels; a page's is the same drawing at its device's scale.
#include <optional>

struct PixelRect {
  int left;
  int top;
  int right;
  int bottom;
};

struct PixelPoint {
  int x;
  int y;
};

struct GridCell {
  int column;  // 0 = Sunday
  int row;
};

constexpr PixelRect kCalendarArea = {200, 5, 755, 594};
constexpr int kHeaderHeight = 17;
constexpr int kCellWidth = 79;
constexpr int kCellHeight = 95;
constexpr int kGridColumns = 7;
constexpr int kGridRows = 6;
constexpr int kCellLines = 5;
constexpr int kCellPicturePositions = 4;  // 0 = memo mark, 1 to 3 = seals
constexpr int kMemoMarkWidth = 10;
constexpr int kSealPictureWidth = 14;
constexpr int kCellPictureHeight = 14;
// Below the top of a cell, in screen pixels, the bottom of its fifth line's box.
constexpr int kCellContentHeight = 110;

// Screen pixels to device pixels: numerator / denominator, rounded.
struct CalendarScale {
  int numerator;
  int denominator;

  // For the sizes and offsets of the drawing, which are never negative.
  int Of(int screenPixels) const {
    return static_cast<int>((2LL * screenPixels * numerator + denominator) / (2LL * denominator));
  }
};

// The grid's measures in the pixels of the device it is drawn on.
struct CalendarGrid {
  PixelRect area;  // header band and six rows
  int headerHeight;
  int cellWidth;
  int cellHeight;
  CalendarScale scale;  // of everything inside the header and the cells
};

// The screen's calendar in the area, at one device pixel per screen pixel.
constexpr CalendarGrid ScreenCalendarGrid(const PixelRect& area) {
  return {area, kHeaderHeight, kCellWidth, kCellHeight, {1, 1}};
}

// Header cell of weekday column 0 to 6.
PixelRect HeaderCellRect(const CalendarGrid& grid, int column);
PixelPoint WeekdayNameOrigin(const CalendarGrid& grid, int column);

// The cell as painted: fill and edge.
PixelRect PaintedCellRect(const CalendarGrid& grid, int column, int row);
// The screen's cell as selected and invalidated: one pixel further left than painted.
PixelRect SelectionRect(const PixelRect& area, int column, int row);
// The screen's cell under a client point; grid lines and the header band hit nothing.
std::optional<GridCell> HitCell(const PixelRect& area, int x, int y);

// Inside a painted cell; the selected cell's content sits one pixel lower
// and further right, as if pressed in.
PixelPoint DayNumberOrigin(const CalendarGrid& grid, const PixelRect& cell, bool selected);
PixelRect CellPictureRect(const CalendarGrid& grid, const PixelRect& cell, bool selected, int position);
// Line 1 to 5.
PixelRect CellLineRect(const CalendarGrid& grid, const PixelRect& cell, bool selected, int line);
