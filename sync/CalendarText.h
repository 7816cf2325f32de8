#pragma once
// A calendar resource's text as its content lines, each kept exactly as the
// server wrote it (line ends aside, which become CR LF), so that an event is
// written back with only the lines the book holds changed. The lines are
// read by the import's content-line reader; only their grouping into
// components is done here.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "import/ContentLines.h"

struct CalendarTextLine {
  std::string raw;      // the logical line's physical lines, joined by CR LF, without the last line end
  bool parsed = false;  // false for a line the reader leaves out: kept as it is
  ContentLine line;
};

// A VEVENT of the calendar: its BEGIN and END lines.
struct EventComponent {
  size_t begin = 0;
  size_t end = 0;
  std::string uid;
  bool hasRecurrenceId = false;
};

class CCalendarText {
 public:
  explicit CCalendarText(const std::string& text);

  std::string Text() const;
  const std::vector<CalendarTextLine>& Lines() const { return m_lines; }

  // The VEVENTs of the calendar, in order; an END left out ends at the text's end.
  std::vector<EventComponent> Events() const;
  // The lines of the component's own properties named name (none of a VALARM inside it).
  std::vector<size_t> OwnProperties(const EventComponent& component, const char* name) const;
  // The lines of the components directly inside it (VALARM), BEGIN to END.
  std::vector<EventComponent> Inner(const EventComponent& component) const;
  bool HasTimeZone(const std::string& tzid) const;

  void Remove(size_t index);
  // count lines from index.
  void RemoveRange(size_t index, size_t count);
  // Content lines formatted as AppendContentLine formats them (CR LF
  // ended), before the line at index.
  void Insert(size_t index, const std::string& formatted);

  // Of every event's content, without what servers rewrite on their own
  // (DTSTAMP, LAST-MODIFIED, CREATED, SEQUENCE) and outside the events
  // (PRODID, the VTIMEZONE): one value while nothing the events say changed,
  // however the server folds, orders parameters or stamps them.
  uint64_t ContentHash() const;

 private:
  std::vector<CalendarTextLine> m_lines;
};

// calendar-data whose carriage returns the XML reader gave as spaces (Wine's
// XmlLite reads "&#13;" so, and servers that write their CR LF line ends
// with it, as sabre/dav does, then arrive with a space ending every line):
// where most lines end in a space and none in CR, that last space of each
// line is the CR it stood for. Any other text is left as it is, spaces that
// end a value too.
std::string RestoreCarriageReturns(const std::string& text);

// A stable 64-bit hash (FNV-1a) of bytes, the same on every platform.
uint64_t HashBytes(const std::string& bytes, uint64_t seed = 0xcbf29ce484222325ULL);
