#pragma once
// The days of the month shown, where the host's grid places them.
#include <optional>

#include "tool/ToolHost.h"
#include "ui/core/CalendarGeometry.h"

// The highest day the grid holds, at most the table's 31; 0 for none.
int LastGridDay(const MonthGrid& grid);
// The cell that shows the day; none for a day the grid does not hold.
std::optional<GridCell> CellOfDay(const MonthGrid& grid, int day);
// The day `days` days on from day (back when negative) in the month
// shown; 0 when that lies outside it.
int DayWithinMonth(const MonthGrid& grid, int day, int days);
