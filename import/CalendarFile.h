#pragma once
// The events of an iCalendar stream, as far as the import uses them.
#include <functional>
#include <memory>
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

// What a reading found besides the events it handed on.
struct CalendarReading {
  ZoneDefinitions zones;        // the file's VTIMEZONE components
  int skippedWithoutStart = 0;  // events whose DTSTART is missing or cannot be read
  int skippedForRule = 0;       // events with an RRULE that cannot be read
};

// Reads leniently, as a stream that comes in pieces: a line that cannot be
// read costs what it carries, an event that cannot be placed on a date is
// skipped, and structure that cannot be followed is repaired as common
// readers do; each is a warning. Each event that can be imported is handed
// on when it ends, and kept no longer.
class CCalendarReader {
 public:
  using EventSink = std::function<void(CalendarEvent& event)>;
  using NoteSink = CContentLineReader::NoteSink;

  // An outline reading hands on each event with only its UID and
  // RECURRENCE-ID, whatever its faults, and warns of nothing in it.
  CCalendarReader(EventSink events, NoteSink warnings, bool outline = false);
  ~CCalendarReader();
  CCalendarReader(const CCalendarReader&) = delete;
  CCalendarReader& operator=(const CCalendarReader&) = delete;

  void Feed(std::string_view bytes);
  // False, with the reason, when the stream held no calendar: neither a
  // VCALENDAR nor a bare VEVENT.
  bool Finish(CalendarNote& error);
  const CalendarReading& Reading() const { return m_reading; }

 private:
  class CBuilder;

  EventSink m_eventSink;
  NoteSink m_warningSink;
  CalendarReading m_reading;
  std::unique_ptr<CBuilder> m_builder;
  CContentLineReader m_lines;
  bool m_anyLine = false;
};

// A whole calendar in memory, read at once.
struct CalendarFile {
  std::vector<CalendarEvent> events;   // in file order, only those that can be imported
  ZoneDefinitions zones;               // the file's VTIMEZONE components
  std::vector<CalendarNote> warnings;  // what was left out or repaired, and why
  int skippedWithoutStart = 0;         // events whose DTSTART is missing or cannot be read
  int skippedForRule = 0;              // events with an RRULE that cannot be read
};

// Reads the bytes with a CCalendarReader and keeps every event.
bool ReadCalendarFile(std::string_view bytes, CalendarFile& file, CalendarNote& error);
