#include "export/ICalendarWriter.h"

#include <cstdio>
#include <utility>

#include "export/ICalendarText.h"
#include "export/OwnEventId.h"

namespace {

// Written as a UTF-8 literal: narrow literals of this project are cp932.
constexpr const char* kMemoSummary = u8"ﾃﾞｲﾘｰﾒﾓ";
constexpr const char* kSealSeparator = " / ";

std::string FormatDate(const BookDate& date) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d%02d%02d", date.year, date.month, date.day);
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

CICalendarWriter::CICalendarWriter(std::ostream& out, std::string version)
    : m_out(out), m_version(std::move(version)) {}

void CICalendarWriter::Begin() {
  m_buffer.clear();
  AppendContentLine(m_buffer, "BEGIN", "VCALENDAR");
  AppendContentLine(m_buffer, "VERSION", "2.0");
  AppendContentLine(m_buffer, "PRODID", "-//Plannix//Plannix " + m_version + "//JA");
  AppendContentLine(m_buffer, "CALSCALE", "GREGORIAN");
  m_out << m_buffer;
}

void CICalendarWriter::Write(const BookDay& day) {
  std::string date = FormatDate(day.date);
  std::vector<std::string> seals = day.Categories();
  m_dayLines.clear();
  AppendContentLine(m_dayLines, "DTSTAMP", date + "T000000Z");
  AppendContentLine(m_dayLines, "DTSTART;VALUE=DATE", date);
  BookDate next = NextDay(day.date);
  // A date of five digits cannot be written; a start date alone is one day long.
  if (next.year <= 9999) AppendContentLine(m_dayLines, "DTEND;VALUE=DATE", FormatDate(next));
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
    bool severalLines = entry.find('\n') != std::string::npos;
    WriteEvent(FormatOwnEventUid({day.date, OwnEventKind::kLine, line}), FirstLine(entry),
               severalLines ? entry : std::string());
  }
  if (!day.memo.empty()) {
    hasText = true;
    WriteEvent(FormatOwnEventUid({day.date, OwnEventKind::kMemo, 0}), kMemoSummary, day.memo);
  }
  if (!hasText && !seals.empty()) {
    WriteEvent(FormatOwnEventUid({day.date, OwnEventKind::kSeals, 0}), Join(seals, kSealSeparator), std::string());
  }
  m_out << m_buffer;
}

void CICalendarWriter::WriteEvent(const std::string& uid, const std::string& summary, const std::string& description) {
  AppendContentLine(m_buffer, "BEGIN", "VEVENT");
  AppendContentLine(m_buffer, "UID", uid);
  m_buffer += m_dayLines;
  AppendContentLine(m_buffer, "SUMMARY", EscapeText(summary));
  if (!description.empty()) AppendContentLine(m_buffer, "DESCRIPTION", EscapeText(description));
  AppendContentLine(m_buffer, "TRANSP", "TRANSPARENT");
  AppendContentLine(m_buffer, "END", "VEVENT");
}

void CICalendarWriter::End() {
  m_buffer.clear();
  AppendContentLine(m_buffer, "END", "VCALENDAR");
  m_out << m_buffer;
}
