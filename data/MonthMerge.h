#pragma once
// Two versions of a month written apart (two PCs through a sync client,
// two hosts on one folder) come together field by field. With a base (what
// the file held when it was last read or written here): a field changed on
// one side only takes that side's value; changed on both, ours stays in
// its field and theirs goes into a free line (lines), after ours in the
// memo, or into a free slot (seals); a field cleared on one side keeps the
// other's change. Without a base (a conflict copy folded in): what only
// theirs holds is added, nothing is taken away.
#include <cstdint>

#include "data/DayRecord.h"

// Bit d - 1 for day d.
using DayMask = uint32_t;

struct MonthMergeResult {
  MonthTable merged;
  // Days where some of theirs found no place in the merged month.
  DayMask unplaced = 0;
};

// base may be nullptr. days: the days of the month (1..31) that are merged;
// days after them keep ours.
MonthMergeResult MergeMonths(const MonthTable* base, const MonthTable& ours, const MonthTable& theirs, int days);

// The days among the first `days` where the two tables differ.
DayMask ChangedDays(const MonthTable& a, const MonthTable& b, int days);
