#pragma once
// A day's wishes merged into its record: only free lines, free slots and
// the memo's free room are filled; what stands there is never changed.
#include <string>
#include <vector>

#include "data/DayRecord.h"
#include "import/ImportPlan.h"

enum class MergeField { kLine, kMemo, kSeal };

enum class MergeOutcome { kAdded, kAlreadyThere, kNoRoom };

struct MergeNote {
  MergeField field = MergeField::kLine;
  MergeOutcome outcome = MergeOutcome::kAdded;
  int index = 0;           // the line or slot, 0-based; 0 for the memo
  std::string shown;       // UTF-8: the text as stored (or as it would be), or the seal's name
  int sourceLine = 0;      // of the event
  bool cut = false;        // the text was cut to fit
  size_t substituted = 0;  // characters that cp932 cannot hold, stored as ?
};

// One note per wish, in the order of lines, memo texts, seals.
std::vector<MergeNote> MergeDay(DayRecord& day, const DayWishes& wishes);
