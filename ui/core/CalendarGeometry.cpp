#include "ui/core/CalendarGeometry.h"

namespace {

int PressedOffset(const CalendarGrid& grid, bool selected) { return selected ? grid.scale.Of(1) : 0; }

}  // namespace

PixelRect HeaderCellRect(const CalendarGrid& grid, int column) {
  const int left = grid.area.left + grid.cellWidth * column + grid.scale.Of(1);
  return {left, grid.area.top, left + grid.cellWidth, grid.area.top + grid.headerHeight};
}

PixelPoint WeekdayNameOrigin(const CalendarGrid& grid, int column) {
  return {grid.area.left + grid.cellWidth * column + grid.scale.Of(10), grid.area.top + grid.scale.Of(1)};
}

PixelRect PaintedCellRect(const CalendarGrid& grid, int column, int row) {
  const int left = grid.area.left + grid.cellWidth * column + grid.scale.Of(1);
  const int top = grid.area.top + grid.headerHeight + grid.cellHeight * row;
  return {left, top, left + grid.cellWidth, top + grid.cellHeight};
}

PixelRect SelectionRect(const PixelRect& area, int column, int row) {
  const int left = area.left + kCellWidth * column;
  const int top = area.top + kHeaderHeight + kCellHeight * row;
  return {left, top, left + kCellWidth, top + kCellHeight};
}

std::optional<GridCell> HitCell(const PixelRect& area, int x, int y) {
  std::optional<int> column;
  for (int c = 0; c < kGridColumns && !column; ++c) {
    const int left = area.left + kCellWidth * c;
    if (left < x && x < left + kCellWidth) column = c;
  }
  std::optional<int> row;
  for (int r = 0; r < kGridRows && !row; ++r) {
    const int top = area.top + kHeaderHeight + kCellHeight * r;
    if (top < y && y < top + kCellHeight) row = r;
  }
  if (!column || !row) return std::nullopt;
  return GridCell{*column, *row};
}

PixelPoint DayNumberOrigin(const CalendarGrid& grid, const PixelRect& cell, bool selected) {
  const int s = PressedOffset(grid, selected);
  return {cell.left + grid.scale.Of(3) + s, cell.top + grid.scale.Of(3) + s};
}

PixelRect CellPictureRect(const CalendarGrid& grid, const PixelRect& cell, bool selected, int position) {
  const int s = PressedOffset(grid, selected);
  // Fixed places, never packed: an empty seal slot leaves its gap.
  const int width = grid.scale.Of(position == 0 ? kMemoMarkWidth : kSealPictureWidth);
  const int left = cell.left + grid.scale.Of(18) + position * width;
  const int top = cell.top + grid.scale.Of(3) + s;
  return {left + s, top, left + width + s, top + grid.scale.Of(kCellPictureHeight)};
}

PixelRect CellLineRect(const CalendarGrid& grid, const PixelRect& cell, bool selected, int line) {
  const int s = PressedOffset(grid, selected);
  const CalendarScale& scale = grid.scale;
  return {cell.left + scale.Of(8) + s, cell.top + scale.Of(14 * line + 6) + s, cell.right - scale.Of(5) + s,
          cell.top + scale.Of(14 * line + 40) + s};
}
