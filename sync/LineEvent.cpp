#include "sync/LineEvent.h"

#include <algorithm>
#include <cstdio>
#include <initializer_list>

#include "calendar/DayNumber.h"
#include "export/EntryEvent.h"
#include "export/ICalendarText.h"
#include "export/OwnEventId.h"
#include "import/CalendarValues.h"

namespace {

constexpr long long kSecondsPerDay = 86400;
// Marks the alarm the book made, so that it alone is ever replaced.
constexpr const char* kOwnAlarmProperty = "X-PLANNIX-ALARM";

// When it is as the export writes it, SUMMARY and the entry.
std::string WhenAndTitle(const LineEvent& event, const BookTimeZone& zone) {
  std::string lines;
  if (event.timed) {
    AppendTimedWhen(lines, event.date, event.startMinute, event.endMinute, zone);
  } else {
    AppendAllDayWhen(lines, event.date);
  }
  AppendContentLine(lines, "SUMMARY", EscapeText(event.summary));
  AppendContentLine(lines, kEntryProperty, EscapeText(event.entry));
  return lines;
}

std::string Alarm(const LineEvent& event, int lead) {
  std::string lines;
  AppendContentLine(lines, "BEGIN", "VALARM");
  AppendContentLine(lines, "ACTION", "DISPLAY");
  AppendContentLine(lines, "DESCRIPTION", EscapeText(event.summary));
  AppendContentLine(lines, "TRIGGER", "-PT" + std::to_string(lead) + "M");
  AppendContentLine(lines, kOwnAlarmProperty, "TRUE");
  AppendContentLine(lines, "END", "VALARM");
  return lines;
}

std::string Additions(const LineEvent& event, const BookAdditions& additions) {
  std::string lines;
  if (!additions.categories.empty()) AppendContentLine(lines, "CATEGORIES", FormatCategoryList(additions.categories));
  if (event.timed && additions.alarmLead >= 0) lines += Alarm(event, additions.alarmLead);
  return lines;
}

std::string EventStart(const std::string& uid, const std::string& stamp) {
  std::string text;
  AppendContentLine(text, "BEGIN", "VEVENT");
  AppendContentLine(text, "UID", uid);
  AppendContentLine(text, "DTSTAMP", stamp);
  return text;
}

std::string Calendar(const std::string& zoneText, const std::string& event) {
  std::string text;
  AppendContentLine(text, "BEGIN", "VCALENDAR");
  AppendContentLine(text, "VERSION", "2.0");
  AppendContentLine(text, "PRODID", "-//Plannix//Plannix sync//JA");
  text += zoneText + event;
  AppendContentLine(text, "END", "VCALENDAR");
  return text;
}

bool IsOwnAlarm(const CCalendarText& text, const EventComponent& alarm) {
  return !text.OwnProperties(alarm, kOwnAlarmProperty).empty();
}

void EnsureZone(CCalendarText& text, const LineEvent& event, const BookTimeZone& zone) {
  if (!event.timed || text.HasTimeZone(zone.id)) return;
  const std::vector<EventComponent> events = text.Events();
  std::string zoneText;
  AppendTimeZone(zoneText, zone);
  text.Insert(events.empty() ? text.Lines().size() : events.front().begin, zoneText);
}

// Removes the component's own lines of these names, and returns where the first was.
size_t RemoveOwn(CCalendarText& text, const EventComponent& component, std::initializer_list<const char*> names) {
  std::vector<size_t> lines;
  for (const char* name : names) {
    for (size_t line : text.OwnProperties(component, name)) lines.push_back(line);
  }
  size_t first = component.end;
  for (size_t line : lines) first = std::min(first, line);
  std::sort(lines.rbegin(), lines.rend());
  for (size_t line : lines) text.Remove(line);
  return first == component.end ? component.end - lines.size() : first;
}

}  // namespace

LineEvent EventOfLine(const std::string& entry, const BookDate& date) {
  const EntryTime time = ReadEntryTime(entry);
  LineEvent event;
  event.entry = entry;
  event.date = date;
  event.summary = time.title;
  event.timed = time.timed;
  event.startMinute = time.startMinute;
  event.endMinute = time.endMinute;
  return event;
}

std::string NewLineEventText(const std::string& uid, const LineEvent& event, const BookAdditions& additions,
                             const BookTimeZone& zone, const std::string& stamp) {
  std::string zoneText;
  if (event.timed) AppendTimeZone(zoneText, zone);
  std::string body = EventStart(uid, stamp) + WhenAndTitle(event, zone);
  // An all-day entry does not make its day busy, as the export writes it.
  if (!event.timed) AppendContentLine(body, "TRANSP", "TRANSPARENT");
  body += Additions(event, additions);
  AppendContentLine(body, "END", "VEVENT");
  return Calendar(zoneText, body);
}

std::string NewMemoEventText(const std::string& uid, const BookDate& date, const std::string& memo,
                             const std::string& stamp) {
  std::string body = EventStart(uid, stamp);
  AppendAllDayWhen(body, date);
  AppendContentLine(body, "SUMMARY", kMemoSummary);
  AppendContentLine(body, "DESCRIPTION", EscapeText(memo));
  AppendContentLine(body, "TRANSP", "TRANSPARENT");
  AppendContentLine(body, "CLASS", "PRIVATE");
  AppendContentLine(body, "END", "VEVENT");
  return Calendar(std::string(), body);
}

void SetLineEvent(CCalendarText& text, const EventComponent& component, const LineEvent& event,
                  const BookAdditions* additions, const BookTimeZone& zone) {
  EventComponent own = component;
  if (additions != nullptr) {
    // The book's own alarm and categories go; the phone's alarms stay.
    std::vector<EventComponent> inner = text.Inner(own);
    for (auto alarm = inner.rbegin(); alarm != inner.rend(); ++alarm) {
      if (!IsOwnAlarm(text, *alarm)) continue;
      text.RemoveRange(alarm->begin, alarm->end - alarm->begin + 1);
      own.end -= alarm->end - alarm->begin + 1;
    }
  }
  std::initializer_list<const char*> replaced = {"DTSTART", "DTEND", "DURATION", "SUMMARY", kEntryProperty};
  std::initializer_list<const char*> withCategories = {"DTSTART", "DTEND",        "DURATION",
                                                       "SUMMARY", kEntryProperty, "CATEGORIES"};
  const size_t at = RemoveOwn(text, own, additions != nullptr ? withCategories : replaced);
  std::string lines = WhenAndTitle(event, zone);
  if (additions != nullptr) lines += Additions(event, *additions);
  text.Insert(at, lines);
  EnsureZone(text, event, zone);
}

void SetMemoEvent(CCalendarText& text, const EventComponent& component, const std::string& memo) {
  const size_t at = RemoveOwn(text, component, {"DESCRIPTION"});
  std::string line;
  AppendContentLine(line, "DESCRIPTION", EscapeText(memo));
  text.Insert(at, line);
}

void AddOccurrenceException(CCalendarText& text, const EventComponent& master, const std::string& recurrenceIdLine,
                            const LineEvent& event, const BookAdditions* additions, const BookTimeZone& zone,
                            const std::string& stamp) {
  // The copy keeps what the master says of every occurrence (location,
  // description, alarms), without the rules that make the others.
  std::string copy;
  for (size_t i = master.begin; i <= master.end && i < text.Lines().size(); ++i) {
    const CalendarTextLine& line = text.Lines()[i];
    if (line.parsed) {
      const std::string& name = line.line.name;
      if (name == "RRULE" || name == "RDATE" || name == "EXDATE" || name == "EXRULE" || name == "DTSTAMP") continue;
    }
    copy += line.raw + "\r\n";
    if (i == master.begin) {
      copy += recurrenceIdLine;
      AppendContentLine(copy, "DTSTAMP", stamp);
    }
  }
  // After the last component of the same UID, where readers look for it.
  size_t at = master.end + 1;
  for (const EventComponent& other : text.Events()) {
    if (other.uid == master.uid && other.end + 1 > at) at = other.end + 1;
  }
  text.Insert(at, copy);
  for (const EventComponent& added : text.Events()) {
    if (added.begin == at) {
      SetLineEvent(text, added, event, additions, zone);
      break;
    }
  }
}

void AddOccurrenceExclusion(CCalendarText& text, const EventComponent& master, const std::string& exdateLine,
                            const EventComponent* exception) {
  if (exception != nullptr) text.RemoveRange(exception->begin, exception->end - exception->begin + 1);
  // The master's END moved up when the exception stood before it.
  size_t masterEnd = master.end;
  if (exception != nullptr && exception->begin < master.begin) masterEnd -= exception->end - exception->begin + 1;
  text.Insert(masterEnd, exdateLine);
}

std::string UtcStamp(long long utcSeconds) {
  const long long days = utcSeconds / kSecondsPerDay;
  const long long seconds = utcSeconds % kSecondsPerDay;
  const CalendarDate date = DateOfDayNumber(DayNumberOf(1970, 1, 1) + static_cast<int>(days));
  char text[32];
  std::snprintf(text, sizeof text, "%04d%02d%02dT%02d%02d%02dZ", date.year, date.month, date.day,
                static_cast<int>(seconds / 3600), static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60));
  return text;
}
