#include "export/ICalendarWriter.h"

#include <utility>

#include "export/EntryEvent.h"
#include "export/ICalendarText.h"
#include "export/OwnEventId.h"

namespace {

constexpr const char* kSealSeparator = " / ";

std::string Join(const std::vector<std::string>& names, const char* separator) {
  std::string joined;
  for (const std::string& name : names) {
    if (!joined.empty()) joined += separator;
    joined += name;
  }
  return joined;
}

}  // namespace

CICalendarWriter::CICalendarWriter(std::ostream& out, std::string version, const BookTimeZone& zone)
    : m_out(out), m_version(std::move(version)), m_zone(zone) {}

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
  std::string date = FormatEventDate(day.date);
  std::vector<std::string> seals = day.Categories();
  m_allDay.clear();
  AppendAllDayWhen(m_allDay, day.date);
  m_dayLines.clear();
  AppendContentLine(m_dayLines, "DTSTAMP", date + "T000000Z");
  if (!seals.empty()) {
    AppendContentLine(m_dayLines, "CATEGORIES", FormatCategoryList(seals));
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
    const EntryTime time = ReadEntryTime(entry);
    if (!time.timed) {
      WriteEvent(uid, m_allDay, time.title, description, std::string());
      continue;
    }
    m_when.clear();
    AppendTimedWhen(m_when, day.date, time.startMinute, time.endMinute, m_zone);
    WriteEvent(uid, m_when, time.title, description, entry);
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
