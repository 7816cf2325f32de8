#include "ui/core/GridDays.h"

#include <algorithm>

#include "data/DayRecord.h"

int LastGridDay(const MonthGrid& grid) {
  int last = 0;
  for (unsigned char day : grid.cells) {
    if (day <= kDaysInTable) last = std::max(last, static_cast<int>(day));
  }
  return last;
}

std::optional<GridCell> CellOfDay(const MonthGrid& grid, int day) {
  if (day <= 0) return std::nullopt;
  for (int row = 0; row < MonthGrid::kRows; ++row) {
    for (int column = 0; column < MonthGrid::kColumns; ++column) {
      if (grid.At(row, column) == day) return GridCell{column, row};
    }
  }
  return std::nullopt;
}

int DayWithinMonth(const MonthGrid& grid, int day, int days) {
  const int to = day + days;
  return to >= 1 && to <= LastGridDay(grid) ? to : 0;
}
