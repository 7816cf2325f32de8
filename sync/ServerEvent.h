#pragma once
// A calendar resource of the server as the book would hold it: each
// occurrence within the days synced, with the line the import's rules make
// of it (the line as typed where the event still says what its entry says),
// so that "changed there" means changed in what the book can hold.
#include <cstdint>
#include <string>
#include <vector>

#include "export/BookTimeZone.h"

struct ServerOccurrence {
  // The occurrence's RECURRENCE-ID on the clock of the master's start
  // ("20261209T100000", "20261209"); empty for an event that does not recur.
  std::string recurrence;
  int day = 0;              // of its start, on the book's clock
  int preferredLine = -1;   // 0..4 where the export put it
  std::string line;         // UTF-8: what the book's line would hold
  std::string sealNames;    // the categories that name seals, sorted, each ended by LF
  std::string description;  // UTF-8: what a memo event of the book's holds
  size_t component = 0;     // its VEVENT among the text's events
  bool exception = false;   // a component of its own (RECURRENCE-ID), not the master's rule
};

struct ServerEvent {
  bool readable = false;
  std::string uid;
  uint64_t contentHash = 0;  // CCalendarText::ContentHash
  bool recurs = false;
  std::string masterZone;  // the TZID of the master's start
  bool masterAllDay = false;
  size_t master = 0;  // the master VEVENT among the text's events, when recurs
  int startDay = 0;   // of the first start that is no exception, on the book's clock
  std::vector<ServerOccurrence> occurrences;
};

struct EventReading {
  int firstDay = 0;    // day numbers: the first day synced
  int horizonDay = 0;  // the last day a rule without end is followed to
  int lastDay = 0;     // the last day synced at all
  const BookTimeZone* zone = nullptr;
};

// More occurrences than any event of a person's calendar has within the
// days synced (ten years of every day): an event that has them is no
// event to put into the book, and is left alone.
constexpr size_t kMostOccurrences = 4000;

// False (readable false) for a text that holds no event that can be read,
// or whose components the reader had to repair, or that occurs too often.
ServerEvent ReadServerEvent(const std::string& text, const EventReading& reading);

// "RECURRENCE-ID;TZID=...:..." or "EXDATE..." for an occurrence of the event, formatted.
std::string OccurrenceLine(const char* name, const ServerEvent& event, const std::string& recurrence);
