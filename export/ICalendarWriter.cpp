#include "export/ICalendarWriter.h"

#include <cstdio>
#include <utility>

#include "calendar/LineTime.h"
#include "export/ICalendarText.h"
#include "export/OwnEventId.h"

namespace {

// Written as a UTF-8 literal: narrow literals of this project are cp932.
constexpr const char* kMemoSummary = u8"ﾃﾞｲﾘｰﾒﾓ";
constexpr const char* kSealSeparator = " / ";
constexpr int kDefaultMinutes = 60;  // a timed line that writes no end

std::string FormatDate(const BookDate& date) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d%02d%02d", date.year, date.month, date.day);
  return text;
}

std::string FormatDateTime(const BookDate& date, int minute) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d%02d%02dT%02d%02d00", date.year, date.month, date.day, minute / 60,
                minute % 60);
  return text;
}

std::string FirstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

std::string Join(const std::vector<std::string>& names, const char* separator) {
  std::string joined;
  for (const std::string& name : names) {
    if (!joined.empty()) joined += separator;
    joined += name;
  }
  return joined;
}

// Each category is a TEXT value of its own; the commas between them stay bare.
std::string CategoryList(const std::vector<std::string>& names) {
  std::vector<std::string> escaped;
  for (const std::string& name : names) escaped.push_back(EscapeText(name));
  return Join(escaped, ",");
}

}  // namespace

CICalendarWriter::CICalendarWriter(std::ostream& out, std::string version, const BookTimeZone& zone)
    : m_out(out),
      m_version(std::move(version)),
      m_zone(zone),
      m_timedStart(std::string("DTSTART;TZID=") + zone.id),
      m_timedEnd(std::string("DTEND;TZID=") + zone.id) {}

void CICalendarWriter::Begin() {
  m_buffer.clear();
  AppendContentLine(m_buffer, "BEGIN", "VCALENDAR");
  AppendContentLine(m_buffer, "VERSION", "2.0");
  AppendContentLine(m_buffer, "PRODID", "-//Plannix//Plannix " + m_version + "//JA");
  AppendContentLine(m_buffer, "CALSCALE", "GREGORIAN");
  AppendTimeZone(m_buffer, m_zone);
  m_out << m_buffer;
}

void CICalendarWriter::Write(const BookDay& day) {
  std::string date = FormatDate(day.date);
  std::vector<std::string> seals = day.Categories();
  m_allDay.clear();
  AppendContentLine(m_allDay, "DTSTART;VALUE=DATE", date);
  BookDate next = NextDay(day.date);
  // A date of five digits cannot be written; a start date alone is one day long.
  if (next.year <= 9999) AppendContentLine(m_allDay, "DTEND;VALUE=DATE", FormatDate(next));
  m_dayLines.clear();
  AppendContentLine(m_dayLines, "DTSTAMP", date + "T000000Z");
  if (!seals.empty()) {
    AppendContentLine(m_dayLines, "CATEGORIES", CategoryList(seals));
    AppendContentLine(m_dayLines, kSealSlotsProperty, FormatSealSlots(day.sealCodes));
  }

  m_buffer.clear();
  bool hasText = false;
  for (int line = 0; line < kLineCount; ++line) {
    const std::string& entry = day.lines[line];
    if (entry.empty()) continue;
    hasText = true;
    std::string uid = FormatOwnEventUid({day.date, OwnEventKind::kLine, line});
    std::string description = entry.find('\n') != std::string::npos ? entry : std::string();
    LineTime time;
    if (!ReadLineTime(entry, time)) {
      WriteEvent(uid, m_allDay, FirstLine(entry), description, std::string());
      continue;
    }
    std::string title = FirstLine(entry.substr(time.titleStart, time.titleLength));
    // A time it is due by ("17時まで 提出") is a moment, not an hour.
    int end = time.hasEnd ? time.endMinute : time.startMinute + (time.dueBy ? 0 : kDefaultMinutes);
    if (end < time.startMinute || (end == time.startMinute && !time.dueBy)) end += kMinutesPerDay;
    SetTimedWhen(day.date, time.startMinute, end);
    WriteEvent(uid, m_when, title.empty() ? FirstLine(entry) : title, description, entry);
  }
  if (!day.memo.empty()) {
    hasText = true;
    WriteEvent(FormatOwnEventUid({day.date, OwnEventKind::kMemo, 0}), m_allDay, kMemoSummary, day.memo, std::string());
  }
  if (!hasText && !seals.empty()) {
    WriteEvent(FormatOwnEventUid({day.date, OwnEventKind::kSeals, 0}), m_allDay, Join(seals, kSealSeparator),
               std::string(), std::string());
  }
  m_out << m_buffer;
}

// The end may lie on the next day (endMinute past a day's minutes); an
// event that ends as it starts has no DTEND, which must come after DTSTART.
void CICalendarWriter::SetTimedWhen(const BookDate& date, int startMinute, int endMinute) {
  m_when.clear();
  AppendContentLine(m_when, m_timedStart, FormatDateTime(date, startMinute));
  if (endMinute == startMinute) return;
  BookDate endDate = endMinute < kMinutesPerDay ? date : NextDay(date);
  if (endDate.year > 9999) {
    AppendContentLine(m_when, "DURATION", "PT" + std::to_string(endMinute - startMinute) + "M");
  } else {
    AppendContentLine(m_when, m_timedEnd, FormatDateTime(endDate, endMinute % kMinutesPerDay));
  }
}

void CICalendarWriter::WriteEvent(const std::string& uid, const std::string& when, const std::string& summary,
                                  const std::string& description, const std::string& entry) {
  AppendContentLine(m_buffer, "BEGIN", "VEVENT");
  AppendContentLine(m_buffer, "UID", uid);
  m_buffer += when;
  m_buffer += m_dayLines;
  AppendContentLine(m_buffer, "SUMMARY", EscapeText(summary));
  if (!description.empty()) AppendContentLine(m_buffer, "DESCRIPTION", EscapeText(description));
  // An all-day entry does not make its day busy; a timed one does, as other calendars take it.
  if (entry.empty()) {
    AppendContentLine(m_buffer, "TRANSP", "TRANSPARENT");
  } else {
    AppendContentLine(m_buffer, kEntryProperty, EscapeText(entry));
  }
  AppendContentLine(m_buffer, "END", "VEVENT");
}

void CICalendarWriter::End() {
  m_buffer.clear();
  AppendContentLine(m_buffer, "END", "VCALENDAR");
  m_out << m_buffer;
}
