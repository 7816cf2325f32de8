#include "export/EntryEvent.h"

#include <cstdio>

#include "calendar/LineTime.h"
#include "export/ICalendarText.h"

namespace {

constexpr int kDefaultMinutes = 60;  // a timed line that writes no end

}  // namespace

EntryTime ReadEntryTime(const std::string& entry) {
  EntryTime read;
  LineTime time;
  if (!ReadLineTime(entry, time)) {
    read.title = FirstLineOf(entry);
    return read;
  }
  const std::string title = FirstLineOf(entry.substr(time.titleStart, time.titleLength));
  read.title = title.empty() ? FirstLineOf(entry) : title;
  read.timed = true;
  read.startMinute = time.startMinute;
  // A time it is due by ("17時まで 提出") is a moment, not an hour.
  read.endMinute = time.hasEnd ? time.endMinute : time.startMinute + (time.dueBy ? 0 : kDefaultMinutes);
  if (read.endMinute < read.startMinute || (read.endMinute == read.startMinute && !time.dueBy))
    read.endMinute += kMinutesPerDay;
  return read;
}

std::string FirstLineOf(const std::string& text) { return text.substr(0, text.find('\n')); }

std::string FormatEventDate(const BookDate& date) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d%02d%02d", date.year, date.month, date.day);
  return text;
}

std::string FormatEventDateTime(const BookDate& date, int minute) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d%02d%02dT%02d%02d00", date.year, date.month, date.day, minute / 60,
                minute % 60);
  return text;
}

std::string FormatCategoryList(const std::vector<std::string>& names) {
  std::string list;
  for (const std::string& name : names) {
    if (!list.empty()) list += ',';
    list += EscapeText(name);
  }
  return list;
}

void AppendAllDayWhen(std::string& lines, const BookDate& date) {
  AppendContentLine(lines, "DTSTART;VALUE=DATE", FormatEventDate(date));
  const BookDate next = NextDay(date);
  // A date of five digits cannot be written; a start date alone is one day long.
  if (next.year <= 9999) AppendContentLine(lines, "DTEND;VALUE=DATE", FormatEventDate(next));
}

void AppendTimedWhen(std::string& lines, const BookDate& date, int startMinute, int endMinute,
                     const BookTimeZone& zone) {
  const std::string tzid = std::string(";TZID=") + zone.id;
  AppendContentLine(lines, "DTSTART" + tzid, FormatEventDateTime(date, startMinute));
  if (endMinute == startMinute) return;
  const BookDate endDate = endMinute < kMinutesPerDay ? date : NextDay(date);
  if (endDate.year > 9999) {
    AppendContentLine(lines, "DURATION", "PT" + std::to_string(endMinute - startMinute) + "M");
  } else {
    AppendContentLine(lines, "DTEND" + tzid, FormatEventDateTime(endDate, endMinute % kMinutesPerDay));
  }
}
