#pragma once
// The events of an iCalendar stream, as far as the import uses them.
#include <string>
#include <string_view>
#include <vector>

#include "import/BookClock.h"
#include "import/CalendarValues.h"
#include "import/ContentLines.h"
#include "import/RecurrenceRule.h"

// A DTSTART or RECURRENCE-ID value with its zone as written.
struct EventTime {
  CalendarTime time;
  std::string zone;  // the TZID parameter; empty for a date, UTC or a floating time
};

// One RRULE line as read: expandable, or a valid rule with a part the import does not expand.
struct EventRule {
  RecurrenceRule rule;
  RuleReading reading = RuleReading::kExpandable;
  std::string detail;  // the part not expanded
  int lineNumber = 0;
};

// Why an event cannot be imported at all.
enum class EventFault { kNone, kStart, kRule };

struct CalendarEvent {
  int lineNumber = 0;  // of BEGIN:VEVENT
  std::string uid;
  EventTime start;
  int startLine = 0;
  EventLength length;
  std::string endZone;  // DTEND's TZID
  std::string summary;  // unescaped UTF-8
  std::string location;
  std::string description;
  std::vector<std::string> categories;
  std::vector<EventRule> rules;
  std::vector<ExtraDate> extraDates;  // RDATE
  std::vector<EventTime> exceptions;  // EXDATE
  bool hasRecurrenceId = false;
  EventTime recurrenceId;
  bool cancelled = false;
  std::string sealSlots;  // the export's slot property as written; empty for none
  int sealSlotsLine = 0;
  std::string entry;  // the export's entry text of a timed line; empty for none
  EventFault fault = EventFault::kNone;
  CalendarNote faultNote;  // the line that cannot be read, and why

  bool Recurs() const { return !rules.empty() || !extraDates.empty(); }
};

struct CalendarFile {
  std::vector<CalendarEvent> events;   // in file order, only those that can be imported
  ZoneDefinitions zones;               // the file's VTIMEZONE components
  std::vector<CalendarNote> warnings;  // what was left out or repaired, and why
  int skippedWithoutStart = 0;         // events whose DTSTART is missing or cannot be read
  int skippedForRule = 0;              // events with an RRULE that cannot be read
};

// Reads leniently: a line that cannot be read costs what it carries, an
// event that cannot be placed on a date is skipped, and structure that
// cannot be followed is repaired as common readers do; each is a warning.
// False, with the reason, only when the stream holds no calendar: neither
// a VCALENDAR nor a bare VEVENT.
bool ReadCalendarFile(std::string_view bytes, CalendarFile& file, CalendarNote& error);
