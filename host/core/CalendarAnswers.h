#pragma once
// The host's calendar answers in the tool's own types: the first weekday of
// the neighbouring months and the day grid of a month.
#include "tool/ToolHost.h"

// The weekday of the first day of the month before / after the record's
// month, across year ends; -1 when either month lies outside the calendar.
int PrevMonthFirstWeekday(const DateRecord& date);
int NextMonthFirstWeekday(const DateRecord& date);

// Lays the month out in its weekday columns, week after week from row 0;
// every other cell 0. A month that does not exist leaves the grid all 0.
// Returns whether a month was laid out.
bool FillMonthGrid(MonthGrid& grid, int year, int month);
