#include "sync/ServerEvent.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <map>
#include <set>
#include <sstream>

#include "calendar/DayNumber.h"
#include "cp932/Utf8FromCp932.h"
#include "data/SealTable.h"
#include "export/ICalendarText.h"
#include "import/BookClock.h"
#include "import/CalendarFile.h"
#include "import/ImportPlan.h"
#include "import/ImportReport.h"
#include "import/ZoneRules.h"
#include "sync/CalendarText.h"
#include "sync/LineEvent.h"

namespace {

constexpr int kSecondsPerMinute = 60;
constexpr int kSecondsPerDay = 86400;

int DayOf(const CalendarTime& time) { return DayNumberOf(time.year, time.month, time.day); }

CalendarTime OnDay(CalendarTime time, int day) {
  const CalendarDate date = DateOfDayNumber(day);
  time.year = date.year;
  time.month = date.month;
  time.day = date.day;
  return time;
}

std::string FormatKey(const CalendarTime& time) {
  char text[32];
  if (!time.hasTime) {
    std::snprintf(text, sizeof text, "%04d%02d%02d", time.year, time.month, time.day);
  } else {
    std::snprintf(text, sizeof text, "%04d%02d%02dT%02d%02d%02d%s", time.year, time.month, time.day, time.hour,
                  time.minute, time.second, time.utc ? "Z" : "");
  }
  return text;
}

const std::set<std::string>& SealNames() {
  static const std::set<std::string> names = [] {
    std::set<std::string> all;
    for (const SealEntry& row : g_SealTable) {
      if (row.nCode == 0) continue;
      std::string name;
      AppendUtf8FromCp932(name, row.szName);
      all.insert(name);
    }
    return all;
  }();
  return names;
}

std::string SealNamesOf(const CalendarEvent& event) {
  std::set<std::string> named;
  for (const std::string& category : event.categories) {
    if (SealNames().count(category) != 0) named.insert(category);
  }
  std::string text;
  for (const std::string& name : named) text += name + "\n";
  return text;
}

std::string WithoutCr(const std::string& text) {
  std::string plain;
  for (char c : text) {
    if (c != '\r') plain += c;
  }
  return plain;
}

// Whether the event still says what its entry says: the title and the times
// that the entry makes are the event's, on the book's clock. A phone that
// changed the title or moved the event leaves the entry behind.
bool EntryStillHolds(const CalendarEvent& event, const CBookClock& clock) {
  if (event.entry.empty()) return false;
  const CalendarTime start = clock.InBook(event.start.time, event.start.zone);
  const LineEvent line = EventOfLine(event.entry, {start.year, start.month, start.day});
  if (line.summary != event.summary || line.timed != start.hasTime) return false;
  if (!line.timed) return true;
  const long long startSeconds = SecondsOf(start);
  if (startSeconds % kSecondsPerDay != static_cast<long long>(line.startMinute) * kSecondsPerMinute) return false;
  // A start alone is a moment (RFC 5545 3.6.1), as a line due by a time is written.
  long long endSeconds = startSeconds;
  if (event.length.hasEnd) {
    endSeconds = SecondsOf(clock.InBook(event.length.end, event.endZone));
  } else if (event.length.hasDuration) {
    endSeconds = startSeconds + event.length.durationSeconds;
  }
  return endSeconds - startSeconds == static_cast<long long>(line.endMinute - line.startMinute) * kSecondsPerMinute;
}

class CDiscardBuffer : public std::stringbuf {
 protected:
  int overflow(int c) override { return c; }
};

}  // namespace

ServerEvent ReadServerEvent(const std::string& text, const EventReading& reading) {
  ServerEvent result;
  std::vector<CalendarEvent> events;
  CCalendarReader reader([&](CalendarEvent& event) { events.push_back(std::move(event)); }, [](const CalendarNote&) {});
  reader.Feed(text);
  CalendarNote error;
  if (!reader.Finish(error) || events.empty() || reading.zone == nullptr) return result;
  const CCalendarText document(text);
  result.contentHash = document.ContentHash();
  const ZoneDefinitions& zones = reader.Reading().zones;
  const CBookClock clock(*reading.zone, zones);

  // Each event as the import plans it, over the days synced.
  const CalendarDate first = DateOfDayNumber(reading.firstDay);
  const CalendarDate horizon = DateOfDayNumber(reading.horizonDay);
  const CalendarDate last = DateOfDayNumber(reading.lastDay);
  ImportOptions options;
  options.from = {first.year, first.month};
  options.to = {last.year, last.month};
  options.endlessUntil = {horizon.year, horizon.month};
  options.timeZone = reading.zone->id;
  CalendarOutline outline;
  outline.zones = zones;
  for (const CalendarEvent& event : events) AddToOutline(event, options, outline);
  CDiscardBuffer discard;
  std::ostream nowhere(&discard);
  CImportReport report(nowhere);
  ImportPlan plan;
  try {
    CImportPlanner planner(outline, options, *reading.zone, plan, report);
    for (const CalendarEvent& event : events) {
      if (!planner.PlanEvent(event, error)) return result;
    }
  } catch (const std::exception&) {
    return result;
  }

  // The events' components in the text, in the same order as the reader handed them on.
  const std::vector<EventComponent> components = document.Events();
  std::map<int, size_t> eventOfLine;  // BEGIN:VEVENT's line number -> index in events
  for (size_t i = 0; i < events.size(); ++i) eventOfLine[events[i].lineNumber] = i;
  // Line numbers count physical lines; a component's BEGIN is a logical line of the document.
  std::map<int, size_t> componentAtLine;
  {
    std::vector<int> physical(document.Lines().size());
    int number = 1;
    for (size_t line = 0; line < physical.size(); ++line) {
      physical[line] = number;
      const std::string& raw = document.Lines()[line].raw;
      number += static_cast<int>(std::count(raw.begin(), raw.end(), '\n')) + 1;
    }
    for (size_t i = 0; i < components.size(); ++i) componentAtLine[physical[components[i].begin]] = i;
  }
  auto componentOf = [&](const CalendarEvent& event) {
    auto found = componentAtLine.find(event.lineNumber);
    return found == componentAtLine.end() ? components.size() : found->second;
  };

  const CalendarEvent* master = nullptr;
  for (const CalendarEvent& event : events) {
    if (event.Recurs() && !event.hasRecurrenceId) master = &event;
  }
  result.uid = events.front().uid;
  for (const CalendarEvent& event : events) {
    if (event.hasRecurrenceId) continue;
    result.startDay = DayOf(clock.InBook(event.start.time, event.start.zone));
    break;
  }
  result.readable = true;
  result.recurs = master != nullptr;
  if (master != nullptr) {
    result.masterZone = master->start.zone;
    result.masterAllDay = !master->start.time.hasTime;
    result.master = componentOf(*master);
  }
  size_t planned = 0;
  for (const auto& entry : plan) planned += entry.second.lines.size();
  if (planned > kMostOccurrences) return ServerEvent();
  for (auto& [day, wishes] : plan) {
    if (day < reading.firstDay || day > reading.lastDay) continue;
    std::set<std::string> taken;
    for (const LineWish& wish : wishes.lines) {
      auto found = eventOfLine.find(wish.sourceLine);
      if (found == eventOfLine.end()) continue;
      const CalendarEvent& event = events[found->second];
      ServerOccurrence occurrence;
      occurrence.day = day;
      occurrence.preferredLine = wish.preferredLine;
      occurrence.line = EntryStillHolds(event, clock) ? event.entry : WithoutCr(wish.text);
      occurrence.sealNames = SealNamesOf(event);
      occurrence.description = event.description;
      occurrence.component = componentOf(event);
      if (event.hasRecurrenceId) {
        occurrence.exception = true;
        const std::string zone = master != nullptr ? master->start.zone : event.recurrenceId.zone;
        occurrence.recurrence = FormatKey(clock.InZone(event.recurrenceId.time, event.recurrenceId.zone, zone));
      } else if (event.Recurs()) {
        // The occurrence whose start falls on this day of the book.
        const std::string& zone = event.start.zone;
        for (int own = day - 1; own <= day + 1 && occurrence.recurrence.empty(); ++own) {
          const CalendarTime start = OnDay(event.start.time, own);
          if (DayOf(clock.InBook(start, zone)) == day) occurrence.recurrence = FormatKey(start);
        }
        for (const ExtraDate& extra : event.extraDates) {
          const CalendarTime start = clock.InZone(extra.start, extra.zone, zone);
          if (DayOf(clock.InBook(start, zone)) == day) occurrence.recurrence = FormatKey(start);
        }
      }
      // Two occurrences of one rule on one day (a rule of hours) are one line of the book.
      if (!taken.insert(occurrence.recurrence + "/" + std::to_string(occurrence.component)).second) continue;
      result.occurrences.push_back(std::move(occurrence));
    }
  }
  // A text whose components the reader had to repair is never written back: it is left alone.
  bool whole = !result.recurs || result.master < components.size();
  for (const ServerOccurrence& occurrence : result.occurrences)
    whole = whole && occurrence.component < components.size();
  if (!whole) return ServerEvent();
  return result;
}

std::string OccurrenceLine(const char* name, const ServerEvent& event, const std::string& recurrence) {
  std::string property = name;
  if (event.masterAllDay) {
    property += ";VALUE=DATE";
  } else if (!event.masterZone.empty()) {
    property += ";TZID=" + event.masterZone;
  }
  std::string line;
  AppendContentLine(line, property, recurrence);
  return line;
}
