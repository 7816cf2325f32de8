#include "export/BookTimeZone.h"

#include <cstring>

#include "export/ICalendarText.h"

namespace {

constexpr const char* kSince1970 = "19700101T000000";

// Where daylight saving time is kept: the European Union's rule (the last
// Sundays of March and October at 01:00 UTC), the United States' since
// 2007 (the second Sunday of March and the first of November at 02:00),
// and Australia's (the first Sundays of October and April).
constexpr const char* kEuAutumn = "FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU";
constexpr const char* kEuSpring = "FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU";
constexpr const char* kUsAutumn = "FREQ=YEARLY;BYMONTH=11;BYDAY=1SU";
constexpr const char* kUsSpring = "FREQ=YEARLY;BYMONTH=3;BYDAY=2SU";

const BookTimeZone g_BookTimeZones[] = {
    {"Asia/Tokyo", "Tokyo Standard Time", {kSince1970, nullptr, "+0900", "+0900", "JST"}, {}},
    {"Asia/Seoul", "Korea Standard Time", {kSince1970, nullptr, "+0900", "+0900", "KST"}, {}},
    {"Asia/Shanghai", "China Standard Time", {kSince1970, nullptr, "+0800", "+0800", "CST"}, {}},
    {"Asia/Taipei", "Taipei Standard Time", {kSince1970, nullptr, "+0800", "+0800", "CST"}, {}},
    {"Asia/Hong_Kong", nullptr, {kSince1970, nullptr, "+0800", "+0800", "HKT"}, {}},
    {"Asia/Singapore", "Singapore Standard Time", {kSince1970, nullptr, "+0800", "+0800", "+08"}, {}},
    {"Asia/Bangkok", "SE Asia Standard Time", {kSince1970, nullptr, "+0700", "+0700", "+07"}, {}},
    {"Asia/Kolkata", "India Standard Time", {kSince1970, nullptr, "+0530", "+0530", "IST"}, {}},
    {"Pacific/Honolulu", "Hawaiian Standard Time", {kSince1970, nullptr, "-1000", "-1000", "HST"}, {}},
    {"UTC", "UTC", {kSince1970, nullptr, "+0000", "+0000", "UTC"}, {}},
    {"Europe/London",
     "GMT Standard Time",
     {"19701025T020000", kEuAutumn, "+0100", "+0000", "GMT"},
     {"19700329T010000", kEuSpring, "+0000", "+0100", "BST"}},
    {"Europe/Paris",
     "Romance Standard Time",
     {"19701025T030000", kEuAutumn, "+0200", "+0100", "CET"},
     {"19700329T020000", kEuSpring, "+0100", "+0200", "CEST"}},
    {"Europe/Berlin",
     "W. Europe Standard Time",
     {"19701025T030000", kEuAutumn, "+0200", "+0100", "CET"},
     {"19700329T020000", kEuSpring, "+0100", "+0200", "CEST"}},
    {"America/New_York",
     "Eastern Standard Time",
     {"19701101T020000", kUsAutumn, "-0400", "-0500", "EST"},
     {"19700308T020000", kUsSpring, "-0500", "-0400", "EDT"}},
    {"America/Chicago",
     "Central Standard Time",
     {"19701101T020000", kUsAutumn, "-0500", "-0600", "CST"},
     {"19700308T020000", kUsSpring, "-0600", "-0500", "CDT"}},
    {"America/Denver",
     "Mountain Standard Time",
     {"19701101T020000", kUsAutumn, "-0600", "-0700", "MST"},
     {"19700308T020000", kUsSpring, "-0700", "-0600", "MDT"}},
    {"America/Los_Angeles",
     "Pacific Standard Time",
     {"19701101T020000", kUsAutumn, "-0700", "-0800", "PST"},
     {"19700308T020000", kUsSpring, "-0800", "-0700", "PDT"}},
    {"Australia/Sydney",
     "AUS Eastern Standard Time",
     {"19700405T030000", "FREQ=YEARLY;BYMONTH=4;BYDAY=1SU", "+1100", "+1000", "AEST"},
     {"19701004T020000", "FREQ=YEARLY;BYMONTH=10;BYDAY=1SU", "+1000", "+1100", "AEDT"}},
};

void AppendObservance(std::string& out, const char* kind, const ZoneObservance& part) {
  AppendContentLine(out, "BEGIN", kind);
  AppendContentLine(out, "DTSTART", part.start);
  if (part.rule != nullptr) AppendContentLine(out, "RRULE", part.rule);
  AppendContentLine(out, "TZOFFSETFROM", part.offsetFrom);
  AppendContentLine(out, "TZOFFSETTO", part.offsetTo);
  AppendContentLine(out, "TZNAME", part.name);
  AppendContentLine(out, "END", kind);
}

}  // namespace

const BookTimeZone* FindBookTimeZone(std::string_view id) {
  for (const BookTimeZone& zone : g_BookTimeZones) {
    if (id == zone.id) return &zone;
  }
  return nullptr;
}

const BookTimeZone* FindBookTimeZoneByWindowsName(std::string_view name) {
  for (const BookTimeZone& zone : g_BookTimeZones) {
    if (zone.windowsName != nullptr && name == zone.windowsName) return &zone;
  }
  return nullptr;
}

std::string BookTimeZoneNames(const std::string& indent) {
  constexpr size_t kWidth = 100;
  std::string names = indent;
  size_t lineStart = 0;
  for (const BookTimeZone& zone : g_BookTimeZones) {
    if (names.size() > indent.size()) names += ",";
    if (names.size() - lineStart + 1 + std::strlen(zone.id) > kWidth) {
      lineStart = names.size() + 1;
      names += "\n" + indent;
    } else if (names.size() > indent.size()) {
      names += " ";
    }
    names += zone.id;
  }
  return names;
}

void AppendTimeZone(std::string& out, const BookTimeZone& zone) {
  AppendContentLine(out, "BEGIN", "VTIMEZONE");
  AppendContentLine(out, "TZID", zone.id);
  AppendObservance(out, "STANDARD", zone.standard);
  if (zone.daylight.start != nullptr) AppendObservance(out, "DAYLIGHT", zone.daylight);
  AppendContentLine(out, "END", "VTIMEZONE");
}
