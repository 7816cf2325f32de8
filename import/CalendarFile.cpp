#include "import/CalendarFile.h"

#include <utility>

#include "export/OwnEventId.h"

namespace {

std::string UpperCase(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

struct OpenComponent {
  std::string name;
  int lineNumber;
};

class CCalendarBuilder {
 public:
  explicit CCalendarBuilder(CalendarFile& file) : m_file(file) {}

  bool Take(const ContentLine& line, CalendarError& error) {
    if (line.name == "BEGIN") return Begin(line, error);
    if (line.name == "END") return End(line, error);
    if (m_open.empty()) return Fail(line, "the property " + line.name + " stands outside BEGIN:VCALENDAR", error);
    if (m_open.size() == 2 && m_open.back().name == "VEVENT") return TakeEventProperty(line, error);
    if (m_open.back().name == "VTIMEZONE" && line.name == "TZID") m_file.definedZones.insert(line.value);
    return true;
  }

  bool Finish(CalendarError& error) const {
    if (m_open.empty()) return true;
    error = {m_open.back().lineNumber, "the file ends inside the " + m_open.back().name + " begun here"};
    return false;
  }

 private:
  static bool Fail(const ContentLine& line, std::string message, CalendarError& error) {
    error = {line.lineNumber, std::move(message)};
    return false;
  }

  bool Begin(const ContentLine& line, CalendarError& error) {
    std::string component = UpperCase(line.value);
    if (m_open.empty() && component != "VCALENDAR") {
      return Fail(line, "not an iCalendar file: BEGIN:VCALENDAR is missing", error);
    }
    if (!m_open.empty() && component == "VCALENDAR") return Fail(line, "a VCALENDAR inside another", error);
    if (m_open.size() == 1) {
      if (component == "VEVENT") {
        m_event = CalendarEvent();
        m_event.lineNumber = line.lineNumber;
      } else if (component != "VTIMEZONE") {
        ++m_file.otherComponents;
      }
    }
    m_open.push_back({component, line.lineNumber});
    return true;
  }

  bool End(const ContentLine& line, CalendarError& error) {
    std::string component = UpperCase(line.value);
    if (m_open.empty() || m_open.back().name != component) {
      std::string open = m_open.empty() ? "nothing" : "BEGIN:" + m_open.back().name;
      return Fail(line, "END:" + line.value + " closes " + open, error);
    }
    if (m_open.size() == 2 && component == "VEVENT") {
      if (m_event.startLine == 0) {
        error = {m_event.lineNumber, "the VEVENT begun here has no DTSTART"};
        return false;
      }
      m_file.events.push_back(std::move(m_event));
    }
    m_open.pop_back();
    return true;
  }

  static bool ReadTime(const ContentLine& line, EventTime& time, CalendarError& error) {
    const std::string* type = line.Parameter("VALUE");
    bool dateOnly = type != nullptr && UpperCase(*type) == "DATE";
    if (!ParseCalendarTime(line.value, time.time) || (dateOnly && time.time.hasTime)) {
      return Fail(line, line.name + " is no date or date-time: " + line.value, error);
    }
    const std::string* zone = line.Parameter("TZID");
    time.zone = zone != nullptr && time.time.hasTime && !time.time.utc ? *zone : std::string();
    return true;
  }

  bool TakeEventProperty(const ContentLine& line, CalendarError& error) {
    const std::string& name = line.name;
    if (name == "DTSTART") {
      m_event.startLine = line.lineNumber;
      return ReadTime(line, m_event.start, error);
    }
    if (name == "DTEND") {
      m_event.hasEnd = true;
      return ReadTime(line, m_event.end, error);
    }
    if (name == "DURATION") {
      m_event.hasDuration = true;
      if (!ParseDuration(line.value, m_event.durationSeconds)) {
        return Fail(line, "DURATION is no duration: " + line.value, error);
      }
    } else if (name == "RECURRENCE-ID") {
      EventTime time;
      if (!ReadTime(line, time, error)) return false;
      m_event.hasRecurrenceId = true;
      m_event.recurrenceId = time.time;
    } else if (name == "EXDATE") {
      if (!ParseCalendarTimeList(line.value, m_event.exceptions)) {
        return Fail(line, "EXDATE holds something else than dates: " + line.value, error);
      }
    } else if (name == "UID") {
      m_event.uid = line.value;
    } else if (name == "SUMMARY") {
      m_event.summary = UnescapeText(line.value);
    } else if (name == "DESCRIPTION") {
      m_event.description = UnescapeText(line.value);
    } else if (name == "CATEGORIES") {
      for (std::string& category : SplitTextList(line.value)) m_event.categories.push_back(std::move(category));
    } else if (name == "RRULE") {
      m_event.rule = line.value;
      m_event.ruleLine = line.lineNumber;
    } else if (name == "RDATE") {
      m_event.extraDatesLine = line.lineNumber;
    } else if (name == "STATUS") {
      m_event.cancelled = UpperCase(line.value) == "CANCELLED";
    } else if (name == kSealSlotsProperty) {
      m_event.sealSlots = line.value;
      m_event.sealSlotsLine = line.lineNumber;
    }
    return true;
  }

  CalendarFile& m_file;
  std::vector<OpenComponent> m_open;
  CalendarEvent m_event;
};

}  // namespace

bool ReadCalendarFile(std::string_view bytes, CalendarFile& file, CalendarError& error) {
  std::vector<ContentLine> lines;
  if (!ReadContentLines(bytes, lines, error)) {
    if (lines.empty()) error.message = "not an iCalendar file: " + error.message;
    return false;
  }
  if (lines.empty()) {
    error = {1, "not an iCalendar file: it holds no content line"};
    return false;
  }
  CCalendarBuilder builder(file);
  for (const ContentLine& line : lines) {
    if (!builder.Take(line, error)) return false;
  }
  return builder.Finish(error);
}
