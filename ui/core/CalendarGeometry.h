#pragma once
// Where the month calendar puts things, in client pixels: header band,
// cells, the selection and hit areas, and everything inside a cell.
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

// Header cell of weekday column 0 to 6.
PixelRect HeaderCellRect(const PixelRect& area, int column);
PixelPoint WeekdayNameOrigin(const PixelRect& area, int column);

// The cell as painted: fill and edge.
PixelRect PaintedCellRect(const PixelRect& area, int column, int row);
// The cell as selected and invalidated: one pixel further left than painted.
PixelRect SelectionRect(const PixelRect& area, int column, int row);
// The cell under a client point; grid lines and the header band hit nothing.
std::optional<GridCell> HitCell(const PixelRect& area, int x, int y);

// Inside a painted cell; the selected cell's content sits one pixel lower
// and further right, as if pressed in.
PixelPoint DayNumberOrigin(const PixelRect& cell, bool selected);
PixelRect CellPictureRect(const PixelRect& cell, bool selected, int position);
// Line 1 to 5.
PixelRect CellLineRect(const PixelRect& cell, bool selected, int line);
