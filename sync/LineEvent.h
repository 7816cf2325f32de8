#pragma once
// A line of the book as the event it becomes, as the export writes it:
// timed where the time reader reads a time (to its end, else an hour long;
// a time it is due by is a moment), all day otherwise; the title is the
// line without its time; the line as typed goes with it.
// Written new, or set into the server's own event text, where only the
// lines the book holds change.
#include <string>
#include <vector>

#include "export/BookDay.h"
#include "export/BookTimeZone.h"
#include "sync/CalendarText.h"

struct LineEvent {
  std::string entry;    // UTF-8, the line as typed, line breaks as LF
  std::string summary;  // its first line without the time
  BookDate date = {1, 1, 1};
  bool timed = false;
  int startMinute = 0;
  int endMinute = 0;  // past a day's minutes: on the next day; the start itself: a moment
};

LineEvent EventOfLine(const std::string& entry, const BookDate& date);

// What the book adds to an event it made: the day's seals as categories,
// an alarm before a timed one.
struct BookAdditions {
  std::vector<std::string> categories;  // UTF-8 seal names
  int alarmLead = -1;                   // minutes before the start; negative: none
};

// The whole resource of a new event. stamp: "YYYYMMDDTHHMMSSZ".
std::string NewLineEventText(const std::string& uid, const LineEvent& event, const BookAdditions& additions,
                             const BookTimeZone& zone, const std::string& stamp);
// The daily memo as an all-day event.
std::string NewMemoEventText(const std::string& uid, const BookDate& date, const std::string& memo,
                             const std::string& stamp);

// The line set into the component: DTSTART, DTEND (or DURATION), SUMMARY
// and the entry replaced; with additions (an event the book made) its
// categories and the book's own alarm too. Every other line stays. The
// zone's VTIMEZONE is added when the text lacks it.
void SetLineEvent(CCalendarText& text, const EventComponent& component, const LineEvent& event,
                  const BookAdditions* additions, const BookTimeZone& zone);
// The memo set into an event of the book's: its DESCRIPTION.
void SetMemoEvent(CCalendarText& text, const EventComponent& component, const std::string& memo);

// An exception for one occurrence of the recurring master: a copy of it
// without its rules, at recurrenceId (a content line "RECURRENCE-ID...:..."
// formatted), with the line set into it, after the last component of the UID.
void AddOccurrenceException(CCalendarText& text, const EventComponent& master, const std::string& recurrenceIdLine,
                            const LineEvent& event, const BookAdditions* additions, const BookTimeZone& zone,
                            const std::string& stamp);
// One occurrence left out of the master: an EXDATE line (formatted) added,
// and an exception made for it taken away.
void AddOccurrenceExclusion(CCalendarText& text, const EventComponent& master, const std::string& exdateLine,
                            const EventComponent* exception);

// "YYYYMMDDTHHMMSSZ" of seconds since 1970 in UTC.
std::string UtcStamp(long long utcSeconds);
