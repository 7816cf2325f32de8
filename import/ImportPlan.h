#pragma once
// The entries each day of the book is to receive from a calendar: every
// event on its start date, recurring events on each of their dates.
#include <map>
#include <string>
#include <vector>

#include "data/DayRecord.h"
#include "import/CalendarFile.h"
#include "import/ImportOptions.h"
#include "import/ImportReport.h"

struct LineWish {
  std::string text;        // UTF-8, line breaks as CR LF
  int preferredLine = -1;  // 0..4 where the export named the line
  int sourceLine = 0;      // of the event's BEGIN:VEVENT
};

struct MemoWish {
  std::string text;
  int sourceLine = 0;
};

struct SealWish {
  SealCode code = 0;
  int preferredSlot = -1;  // 0..3 where the export named the slot
  int sourceLine = 0;
};

struct DayWishes {
  std::vector<LineWish> lines;
  std::vector<MemoWish> memos;
  std::vector<SealWish> seals;
  bool sealsBySlot = false;  // the export's slot list is in: it says all about the day's seals
};

using ImportPlan = std::map<int, DayWishes>;  // by day number

// Fills the plan; warns (once per unknown zone, once per rule it does not
// expand) on the report. False, with the line, when the events occur more
// often than any book holds.
bool PlanImport(const CalendarFile& file, const ImportOptions& options, ImportPlan& plan, CImportReport& report,
                CalendarNote& error);
