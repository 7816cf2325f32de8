// Imported times on the book's clock, in the shapes calendar programs write
// them; each converted time is read again by libical.
#include <gtest/gtest.h>
#include <libical/ical.h>

#include <algorithm>
#include <cstdio>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "import/BookImport.h"
#include "import/ImportArguments.h"
#include "tests/native/MonthFileScratch.h"

namespace {

// As Google and Apple write them: the rules of today, from 1970 on.
const char kNewYork[] =
    "BEGIN:VTIMEZONE\r\nTZID:America/New_York\r\n"
    "BEGIN:DAYLIGHT\r\nTZOFFSETFROM:-0500\r\nTZOFFSETTO:-0400\r\nTZNAME:EDT\r\nDTSTART:19700308T020000\r\n"
    "RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=2SU\r\nEND:DAYLIGHT\r\n"
    "BEGIN:STANDARD\r\nTZOFFSETFROM:-0400\r\nTZOFFSETTO:-0500\r\nTZNAME:EST\r\nDTSTART:19701101T020000\r\n"
    "RRULE:FREQ=YEARLY;BYMONTH=11;BYDAY=1SU\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n";
// South: summer time from October to April.
const char kSydney[] =
    "BEGIN:VTIMEZONE\r\nTZID:Australia/Sydney\r\n"
    "BEGIN:STANDARD\r\nTZOFFSETFROM:+1100\r\nTZOFFSETTO:+1000\r\nDTSTART:19700405T030000\r\n"
    "RRULE:FREQ=YEARLY;BYMONTH=4;BYDAY=1SU\r\nEND:STANDARD\r\n"
    "BEGIN:DAYLIGHT\r\nTZOFFSETFROM:+1000\r\nTZOFFSETTO:+1100\r\nDTSTART:19701004T020000\r\n"
    "RRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=1SU\r\nEND:DAYLIGHT\r\nEND:VTIMEZONE\r\n";
// As some programs write the years an event needs: each change on its date.
const char kBerlinByDates[] =
    "BEGIN:VTIMEZONE\r\nTZID:Europe/Berlin\r\n"
    "BEGIN:STANDARD\r\nTZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\nDTSTART:20251026T030000\r\n"
    "RDATE:20251026T030000,20261025T030000\r\nEND:STANDARD\r\n"
    "BEGIN:DAYLIGHT\r\nTZOFFSETFROM:+0100\r\nTZOFFSETTO:+0200\r\nDTSTART:20260329T020000\r\n"
    "RDATE:20260329T020000\r\nEND:DAYLIGHT\r\nEND:VTIMEZONE\r\n";

struct ZoneCase {
  const char* what;
  std::string calendar;            // the VTIMEZONEs and VEVENTs; each event is "x" unless it moves an occurrence
  const char* bookZone;            // --time-zone
  const char* readerZone;          // what libical reads a TZID without VTIMEZONE as; nullptr: libical does not check
  std::vector<std::string> lines;  // "YYYY-MM-DD text" in date order
  int warnings = 0;
};

std::string Event(const std::string& lines, const char* summary = "x") {
  return "BEGIN:VEVENT\r\nUID:u\r\n" + lines + "SUMMARY:" + summary + "\r\nEND:VEVENT\r\n";
}

std::string At(const char* zone, const char* time) { return std::string("DTSTART;TZID=") + zone + ":" + time + "\r\n"; }

const ZoneCase kZoneCases[] = {
    {"UTC across midnight",
     Event("DTSTART:20261224T013000Z\r\n") + Event("DTSTART:20261224T200000Z\r\nDTEND:20261224T220000Z\r\n"),
     "Asia/Tokyo",
     "",
     {"2026-12-24 10:30 x", "2026-12-25 05:00 x"}},
    {"New York, both changes",
     kNewYork + Event(At("America/New_York", "20260307T190000")) + Event(At("America/New_York", "20260309T190000")) +
         Event(At("America/New_York", "20261030T190000")) + Event(At("America/New_York", "20261224T190000")),
     "Asia/Tokyo",
     "",
     {"2026-03-08 09:00 x", "2026-03-10 08:00 x", "2026-10-31 08:00 x", "2026-12-25 09:00 x"}},
    // RFC 5545 reads a skipped time with the offset before the change, a doubled one as its first; libical
    // takes the later offset for both.
    {"New York, a time the clocks skip and one they pass twice",
     kNewYork + Event(At("America/New_York", "20260308T023000")) + Event(At("America/New_York", "20261101T013000")),
     "Asia/Tokyo",
     nullptr,
     {"2026-03-08 16:30 x", "2026-11-01 14:30 x"}},
    {"Sydney, both changes",
     kSydney + Event(At("Australia/Sydney", "20260403T100000")) + Event(At("Australia/Sydney", "20260410T100000")) +
         Event(At("Australia/Sydney", "20261003T100000")) + Event(At("Australia/Sydney", "20261005T100000")),
     "Asia/Tokyo",
     "",
     {"2026-04-03 08:00 x", "2026-04-10 09:00 x", "2026-10-03 09:00 x", "2026-10-05 08:00 x"}},
    {"a VTIMEZONE by dates, both changes",
     kBerlinByDates + Event(At("Europe/Berlin", "20260328T100000")) + Event(At("Europe/Berlin", "20260330T100000")) +
         Event(At("Europe/Berlin", "20261024T100000")) + Event(At("Europe/Berlin", "20261026T100000")),
     "Asia/Tokyo",
     "",
     {"2026-03-28 18:00 x", "2026-03-30 17:00 x", "2026-10-24 17:00 x", "2026-10-26 18:00 x"}},
    {"built-in zone without VTIMEZONE",
     Event(At("Europe/Berlin", "20260715T100000")),
     "Asia/Tokyo",
     "",
     {"2026-07-15 17:00 x"}},
    {"Windows zone name",
     "BEGIN:VTIMEZONE\r\nTZID:Eastern Standard Time\r\nEND:VTIMEZONE\r\n" +
         Event("DTSTART;TZID=\"Eastern Standard Time\":20261224T190000\r\n"),
     "Asia/Tokyo",
     "America/New_York",
     {"2026-12-25 09:00 x"}},
    {"floating and all-day",
     Event("DTSTART:20261224T190000\r\n") + Event("DTSTART;VALUE=DATE:20261224\r\nDTEND;VALUE=DATE:20261226\r\n"),
     "America/New_York",
     nullptr,
     {"2026-12-24 19:00 x", u8"2026-12-24 x (～12/25)"}},
    {"recurrence over a change, EXDATE in UTC",
     kNewYork +
         Event(At("America/New_York", "20261022T210000") + "RRULE:FREQ=WEEKLY;COUNT=4\r\nEXDATE:20261030T010000Z\r\n"),
     "Asia/Tokyo",
     "",
     {"2026-10-23 10:00 x", "2026-11-06 11:00 x", "2026-11-13 11:00 x"}},
    {"moved occurrence named in UTC",
     kNewYork + Event(At("America/New_York", "20261022T190000") + "RRULE:FREQ=WEEKLY;COUNT=3\r\n") +
         Event(At("America/New_York", "20261105T200000") + "RECURRENCE-ID:20261106T000000Z\r\n", "moved"),
     "Asia/Tokyo",
     nullptr,
     {"2026-10-23 08:00 x", "2026-10-30 08:00 x", "2026-11-06 10:00 moved"}},
    {"another book zone",
     Event("DTSTART:20261224T013000Z\r\n") + Event(At("Asia/Tokyo", "20261224T103000")),
     "America/New_York",
     "",
     {"2026-12-23 20:30 x", "2026-12-23 20:30 x"}},
    {"unknown zone, one warning",
     Event(At("Mars/Olympus", "20261224T100000")) + Event(At("Mars/Olympus", "20261225T100000")),
     "Asia/Tokyo",
     nullptr,
     {"2026-12-24 10:00 x", "2026-12-25 10:00 x"},
     1},
};

std::string Calendar(const std::string& body) {
  return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n" + body + "END:VCALENDAR\r\n";
}

// The lines a dry run would add, as "YYYY-MM-DD text".
std::vector<std::string> AddedLines(const std::string& report) {
  static const std::regex kAdded("^(\\d{4}-\\d\\d-\\d\\d) line \\d <- \"(.*)\"$");
  std::vector<std::string> lines;
  std::istringstream in(report);
  for (std::string line; std::getline(in, line);) {
    std::smatch match;
    if (std::regex_match(line, match, kAdded)) lines.push_back(match[1].str() + " " + match[2].str());
  }
  return lines;
}

// Every occurrence's start as libical reads it, on the book's clock: "YYYY-MM-DD HH:MM".
std::vector<std::string> LibicalStarts(const ZoneCase& c) {
  std::string text = Calendar(c.calendar);
  if (*c.readerZone != '\0') {
    text = std::regex_replace(text, std::regex("TZID=\"[^\"]*\""), std::string("TZID=") + c.readerZone);
  }
  icaltimezone* book = icaltimezone_get_builtin_timezone(c.bookZone);
  icalcomponent* calendar = icalcomponent_new_from_string(text.c_str());
  std::vector<std::string> starts;
  if (calendar == nullptr || book == nullptr) return starts;
  struct Gathered {
    icaltimezone* book;
    std::vector<std::string>* starts;
  } gathered{book, &starts};
  for (icalcomponent* event = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT); event != nullptr;
       event = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
    icalcomponent_foreach_recurrence(
        event, icaltime_from_string("20200101T000000Z"), icaltime_from_string("20300101T000000Z"),
        [](icalcomponent*, icaltime_span* span, void* data) {
          auto* into = static_cast<Gathered*>(data);
          icaltimetype t = icaltime_from_timet_with_zone(span->start, 0, into->book);
          char text[32];
          std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", t.year, t.month, t.day, t.hour, t.minute);
          into->starts->push_back(text);
        },
        &gathered);
  }
  icalcomponent_free(calendar);
  std::sort(starts.begin(), starts.end());
  return starts;
}

TEST(ImportTimeZoneTest, TimesComeOnTheBooksClock) {
  for (const ZoneCase& c : kZoneCases) {
    CMonthFileScratch folder;
    ASSERT_TRUE(folder.Ok());
    ImportOptions options;
    options.dryRun = true;
    options.timeZone = c.bookZone;
    std::istringstream calendar(Calendar(c.calendar));
    std::ostringstream report;
    ImportSummary summary;
    std::string error;
    ASSERT_TRUE(ImportCalendar(calendar, folder.Path(""), options, report, summary, error)) << c.what << ": " << error;
    std::vector<std::string> lines = AddedLines(report.str());
    std::sort(lines.begin(), lines.end());
    EXPECT_EQ(lines, c.lines) << c.what << ":\n" << report.str();
    EXPECT_EQ(summary.warnings, c.warnings) << c.what << ":\n" << report.str();
    if (c.readerZone == nullptr) continue;
    std::vector<std::string> starts;
    for (const std::string& line : c.lines) starts.push_back(line.substr(0, 16));
    EXPECT_EQ(LibicalStarts(c), starts) << c.what;
  }
}

TEST(ImportTimeZoneTest, TheBooksZoneIsOneOfTheExports) {
  ImportArguments parsed;
  std::string error;
  ASSERT_TRUE(ParseImportArguments({"--time-zone", "Europe/Berlin", "a.ics", "book"}, parsed, error)) << error;
  EXPECT_EQ(parsed.options.timeZone, "Europe/Berlin");
  EXPECT_FALSE(ParseImportArguments({"--time-zone", "Tokyo Standard Time", "a.ics", "book"}, parsed, error));
  EXPECT_EQ(error, "unknown time zone \"Tokyo Standard Time\"");
  EXPECT_EQ(ImportArguments().options.timeZone, "Asia/Tokyo");
}

}  // namespace
