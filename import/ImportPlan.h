#pragma once
// The entries each day of the book is to receive from a calendar: every
// event on its start date, recurring events on each of their dates.
#include <map>
#include <memory>
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
  // False for a text that must go in whole or not at all: it is never cut
  // to fit, so only the whole of it in the memo is it.
  bool mayBeCut = true;
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

// What planning needs to know before the events come.
struct CalendarOutline {
  ZoneDefinitions zones;
  std::map<std::string, std::vector<EventTime>> moved;  // the RECURRENCE-IDs of each UID
};

// Keeps the occurrence that the event moves, if the range may hold it.
void AddToOutline(const CalendarEvent& event, const ImportOptions& options, CalendarOutline& outline);

// Each event into the plan as it comes, in file order; warns (once per
// unknown zone, once per rule it does not expand) on the report. Both the
// outline and the options are kept by reference.
class CImportPlanner {
 public:
  CImportPlanner(const CalendarOutline& outline, const ImportOptions& options, const BookTimeZone& zone,
                 ImportPlan& plan, CImportReport& report);
  ~CImportPlanner();
  CImportPlanner(const CImportPlanner&) = delete;
  CImportPlanner& operator=(const CImportPlanner&) = delete;

  // False, with the line, when the events occur more often than any book holds.
  bool PlanEvent(const CalendarEvent& event, CalendarNote& error);

 private:
  class CImpl;
  std::unique_ptr<CImpl> m_impl;
};

// The events of a whole calendar: fills the plan; warns (once per unknown zone, once per rule it does not
// expand) on the report. False, with the line, when the events occur more
// often than any book holds.
bool PlanImport(const CalendarFile& file, const ImportOptions& options, ImportPlan& plan, CImportReport& report,
                CalendarNote& error);
