#pragma once
// The events of an iCalendar stream, as far as the import uses them.
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "import/CalendarValues.h"
#include "import/ContentLines.h"

// A DTSTART, DTEND, EXDATE or RECURRENCE-ID value with its zone as written.
struct EventTime {
  CalendarTime time;
  std::string zone;  // the TZID parameter; empty for a date, UTC or a floating time
};

struct CalendarEvent {
  int lineNumber = 0;  // of BEGIN:VEVENT
  std::string uid;
  EventTime start;
  int startLine = 0;
  bool hasEnd = false;
  EventTime end;
  bool hasDuration = false;
  long long durationSeconds = 0;
  std::string summary;  // unescaped UTF-8
  std::string description;
  std::vector<std::string> categories;
  std::string rule;  // RRULE as written; empty for none
  int ruleLine = 0;
  int extraDatesLine = 0;  // of an RDATE, which is not expanded
  std::vector<CalendarTime> exceptions;
  bool hasRecurrenceId = false;
  CalendarTime recurrenceId;
  bool cancelled = false;
  std::string sealSlots;  // the export's slot property as written; empty for none
  int sealSlotsLine = 0;
};

struct CalendarFile {
  std::vector<CalendarEvent> events;   // in file order
  std::set<std::string> definedZones;  // the TZIDs of the file's VTIMEZONE components
  int otherComponents = 0;             // VTODO, VJOURNAL and the like, not imported
};

// False, with the line and the reason, when the stream is no iCalendar
// object or one of its events cannot be read.
bool ReadCalendarFile(std::string_view bytes, CalendarFile& file, CalendarError& error);
