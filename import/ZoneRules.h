#pragma once
// The offsets from UTC of one time zone over the years, as a VTIMEZONE
// gives them: STANDARD and DAYLIGHT parts, each in force from the onsets
// that its DTSTART, RRULE and RDATE name.
#include <string_view>
#include <vector>

#include "import/CalendarValues.h"
#include "import/RecurrenceRule.h"

// A wall-clock time counted in seconds from the start of day number 0.
long long SecondsOf(const CalendarTime& time);
// False when the seconds fall outside the years 1 to 9999.
bool TimeOfSeconds(long long seconds, CalendarTime& time);

// "+0900", "-0500", "+053000": false for anything else.
bool ParseUtcOffset(std::string_view value, int& seconds);

// One STANDARD or DAYLIGHT part.
struct ZonePart {
  bool hasStart = false;
  CalendarTime start;  // the first onset, as a wall-clock time of the offset before it
  std::vector<RecurrenceRule> rules;
  std::vector<CalendarTime> dates;  // RDATE: more onsets
  bool hasOffsetFrom = false;
  int offsetFrom = 0;  // seconds east of UTC before an onset
  bool hasOffsetTo = false;
  int offsetTo = 0;  // and after it
};

class CZoneRules {
 public:
  // A part without DTSTART or TZOFFSETTO says nothing and is left out.
  void AddPart(const ZonePart& part);
  bool Known() const { return !m_parts.empty(); }

  // A wall-clock time of the zone in UTC: a time that the clocks skip is
  // read with the offset before the change, one they pass twice the first time.
  long long UtcOf(long long local) const;
  long long LocalOf(long long utc) const;

 private:
  struct Change {
    long long utc;
    int offsetFrom;
    int offsetTo;
  };

  // The changes up to the end of the year, worked out once for years ahead.
  void Cover(long long seconds) const;

  std::vector<ZonePart> m_parts;
  mutable std::vector<Change> m_changes;
  mutable int m_coveredYear = 0;
};
