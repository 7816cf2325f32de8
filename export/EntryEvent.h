#pragma once
// An entry of the book as the iCalendar event that the export and the
// calendar sync write alike: its time as the time reader reads it (to its
// end, else an hour long; a time it is due by is a moment), its title, and
// the content lines of when it is.
#include <string>
#include <vector>

#include "export/BookDay.h"
#include "export/BookTimeZone.h"

// The title of the daily memo's event. Written as a UTF-8 literal: narrow
// literals of this project are cp932.
constexpr const char* kMemoSummary = u8"ﾃﾞｲﾘｰﾒﾓ";

struct EntryTime {
  bool timed = false;
  int startMinute = 0;
  int endMinute = 0;  // past a day's minutes: on the next day; the start itself: a moment
  std::string title;  // the first line without the time; the first line where that leaves nothing
};

// The entry (UTF-8) as an event: timed where the time reader reads a time.
EntryTime ReadEntryTime(const std::string& entry);

// The text up to its first line break.
std::string FirstLineOf(const std::string& text);
// "20261210" and "20261210T100000".
std::string FormatEventDate(const BookDate& date);
std::string FormatEventDateTime(const BookDate& date, int minute);
// Each category a TEXT value of its own; the commas between them stay bare.
std::string FormatCategoryList(const std::vector<std::string>& names);

// DTSTART and DTEND of a day (DTSTART alone where the next day would be
// past the year 9999), as content lines.
void AppendAllDayWhen(std::string& lines, const BookDate& date);
// DTSTART and DTEND in the zone (DURATION where the end would be past the
// year 9999; DTSTART alone for a moment, since DTEND must come after it).
void AppendTimedWhen(std::string& lines, const BookDate& date, int startMinute, int endMinute,
                     const BookTimeZone& zone);
