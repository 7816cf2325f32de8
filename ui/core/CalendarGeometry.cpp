#include "ui/core/CalendarGeometry.h"

namespace {

int PressedOffset(bool selected) { return selected ? 1 : 0; }

}  // namespace

PixelRect HeaderCellRect(const PixelRect& area, int column) {
  const int left = area.left + kCellWidth * column + 1;
  return {left, area.top, left + kCellWidth, area.top + kHeaderHeight};
}

PixelPoint WeekdayNameOrigin(const PixelRect& area, int column) {
  return {area.left + kCellWidth * column + 10, area.top + 1};
}

PixelRect PaintedCellRect(const PixelRect& area, int column, int row) {
  const int left = area.left + kCellWidth * column + 1;
  const int top = area.top + kHeaderHeight + kCellHeight * row;
  return {left, top, left + kCellWidth, top + kCellHeight};
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

PixelPoint DayNumberOrigin(const PixelRect& cell, bool selected) {
  const int s = PressedOffset(selected);
  return {cell.left + 3 + s, cell.top + 3 + s};
}

PixelRect CellPictureRect(const PixelRect& cell, bool selected, int position) {
  const int s = PressedOffset(selected);
  // Fixed places, never packed: an empty seal slot leaves its gap.
  const int width = position == 0 ? kMemoMarkWidth : kSealPictureWidth;
  const int left = cell.left + 18 + position * width;
  return {left + s, cell.top + 3 + s, left + width + s, cell.top + 3 + kCellPictureHeight + s};
}

PixelRect CellLineRect(const PixelRect& cell, bool selected, int line) {
  const int s = PressedOffset(selected);
  return {cell.left + 8 + s, cell.top + 14 * line + 6 + s, cell.right - 5 + s, cell.top + 14 * line + 40 + s};
}
