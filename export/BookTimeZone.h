#pragma once
// The time zone that the export writes timed lines in, with the VTIMEZONE
// that calendars read it by: today's rules of a few zones, carried back to
// 1970, since a schedule book keeps wall-clock times.
#include <string>
#include <string_view>

constexpr const char* kDefaultTimeZone = "Asia/Tokyo";

// One STANDARD or DAYLIGHT part of a VTIMEZONE, as written.
struct ZoneObservance {
  const char* start;  // DTSTART; nullptr in the daylight part of a zone without daylight saving time
  const char* rule;   // RRULE; nullptr for an offset that never changes
  const char* offsetFrom;
  const char* offsetTo;
  const char* name;
};

struct BookTimeZone {
  const char* id;           // the IANA name, the TZID written
  const char* windowsName;  // as mail clients write it in TZID; nullptr where Windows has none of its own
  ZoneObservance standard;
  ZoneObservance daylight;
};

// nullptr for a zone the export does not know.
const BookTimeZone* FindBookTimeZone(std::string_view id);
// By the Windows name ("Tokyo Standard Time"); nullptr for one of another zone.
const BookTimeZone* FindBookTimeZoneByWindowsName(std::string_view name);

// The known zones' names, separated by ", " on lines that begin with indent.
std::string BookTimeZoneNames(const std::string& indent);

// Appends the zone's VTIMEZONE component.
void AppendTimeZone(std::string& out, const BookTimeZone& zone);
