#include "import/EventProperties.h"

#include <utility>

#include "export/OwnEventId.h"

namespace {

// The TZID that a time of the line is in: none for a date, UTC or a floating time.
std::string ZoneOf(const ContentLine& line, const CalendarTime& time) {
  const std::string* zone = line.Parameter("TZID");
  return zone != nullptr && time.hasTime && !time.utc ? *zone : std::string();
}

// A DATE or DATE-TIME; VALUE=DATE admits only a date.
bool ReadTime(const ContentLine& line, EventTime& time) {
  const std::string* type = line.Parameter("VALUE");
  bool dateOnly = type != nullptr && UpperCase(*type) == "DATE";
  if (!ParseCalendarTime(line.value, time.time) || (dateOnly && time.time.hasTime)) return false;
  time.zone = ZoneOf(line, time.time);
  return true;
}

void SetFault(CalendarEvent& event, EventFault fault, const ContentLine& line, std::string message) {
  if (event.fault != EventFault::kNone) return;
  event.fault = fault;
  event.faultNote = {line.lineNumber, std::move(message)};
}

}  // namespace

std::string EventName(const CalendarEvent& event) {
  std::string where = "of line " + std::to_string(event.lineNumber);
  return event.summary.empty() ? "the event " + where : "the event \"" + event.summary + "\" " + where;
}

void TakeEventProperty(const ContentLine& line, CalendarEvent& event, std::vector<CalendarNote>& warnings) {
  const std::string& name = line.name;
  auto warn = [&](const std::string& consequence) {
    warnings.push_back({line.lineNumber, name + " cannot be read (" + line.value + "); " + consequence});
  };
  if (name == "DTSTART") {
    event.startLine = line.lineNumber;
    if (!ReadTime(line, event.start))
      SetFault(event, EventFault::kStart, line, "DTSTART cannot be read (" + line.value + ")");
  } else if (name == "DTEND") {
    EventTime end;
    event.length.hasEnd = ReadTime(line, end);
    event.length.end = end.time;
    event.endZone = end.zone;
    if (!event.length.hasEnd) warn("the event is taken as having no end");
  } else if (name == "DURATION") {
    event.length.hasDuration = ParseDuration(line.value, event.length.durationSeconds);
    if (!event.length.hasDuration) warn("the event is taken as having no end");
  } else if (name == "RECURRENCE-ID") {
    event.hasRecurrenceId = ReadTime(line, event.recurrenceId);
    if (!event.hasRecurrenceId) warn("the event is imported as one of its own, and the date it moves stays");
  } else if (name == "EXDATE") {
    std::vector<CalendarTime> times;
    if (!ParseCalendarTimeList(line.value, times)) warn("only the dates that can be read are left out");
    for (const CalendarTime& time : times) event.exceptions.push_back({time, ZoneOf(line, time)});
  } else if (name == "RDATE") {
    size_t first = event.extraDates.size();
    if (!ParseExtraDateList(line.value, event.extraDates)) warn("only the dates that can be read are added");
    for (size_t i = first; i < event.extraDates.size(); ++i) {
      event.extraDates[i].zone = ZoneOf(line, event.extraDates[i].start);
    }
  } else if (name == "RRULE") {
    EventRule rule;
    rule.lineNumber = line.lineNumber;
    rule.reading = ReadRecurrenceRule(line.value, rule.rule, rule.detail);
    if (rule.reading == RuleReading::kBroken) {
      SetFault(event, EventFault::kRule, line, "RRULE is broken: " + rule.detail);
    } else {
      event.rules.push_back(std::move(rule));
    }
  } else if (name == "UID") {
    event.uid = line.value;
  } else if (name == "SUMMARY") {
    event.summary = UnescapeText(line.value);
  } else if (name == "LOCATION") {
    event.location = UnescapeText(line.value);
  } else if (name == "DESCRIPTION") {
    event.description = UnescapeText(line.value);
  } else if (name == "CATEGORIES") {
    for (std::string& category : SplitTextList(line.value)) event.categories.push_back(std::move(category));
  } else if (name == "STATUS") {
    event.cancelled = UpperCase(line.value) == "CANCELLED";
  } else if (name == kSealSlotsProperty) {
    event.sealSlots = line.value;
    event.sealSlotsLine = line.lineNumber;
  } else if (name == kEntryProperty) {
    event.entry = UnescapeText(line.value);
  }
}
