#include "import/CalendarFile.h"

#include <utility>

#include "import/EventProperties.h"
#include "import/TimeZoneComponent.h"

namespace {

struct OpenComponent {
  std::string name;
  int lineNumber;
};

// Follows BEGIN and END as common readers do: a component left open is
// ended by the END of one around it, by the BEGIN of another event, or by
// the end of the file; an END of a name that nothing open has ends the
// innermost component inside the calendar, and is passed over outside.
class CCalendarBuilder {
 public:
  explicit CCalendarBuilder(CalendarFile& file) : m_file(file) {}

  void Take(const ContentLine& line) {
    if (line.name == "BEGIN") {
      Begin(line);
    } else if (line.name == "END") {
      End(line);
    } else if (m_open.empty()) {
      Warn(line.lineNumber, "the property " + line.name + " stands outside any component; it is skipped");
    } else if (m_open.size() == m_eventDepth) {
      TakeEventProperty(line, m_event, m_file.warnings);
    } else if (m_zoneDepth != 0 && m_open.size() <= m_zoneDepth + 1) {
      m_zone.Take(line);
    }
  }

  void Finish() { EndAbove(0, "the end of the file"); }

  bool FoundCalendar() const { return m_found; }

 private:
  void Warn(int lineNumber, std::string text) { m_file.warnings.push_back({lineNumber, std::move(text)}); }

  void Begin(const ContentLine& line) {
    std::string component = UpperCase(line.value);
    std::string endedBy = "BEGIN:" + component + " of line " + std::to_string(line.lineNumber);
    if (component == "VCALENDAR") EndAbove(0, endedBy);
    // An event inside an event is one whose END was left out or misspelt.
    if (component == "VEVENT" && m_eventDepth != 0) EndAbove(m_eventDepth - 1, endedBy);
    bool topLevel = m_open.empty();
    if (topLevel && component != "VCALENDAR" && component != "VEVENT") {
      Warn(line.lineNumber, "BEGIN:" + component + " stands outside BEGIN:VCALENDAR; the component is skipped");
    }
    m_open.push_back({component, line.lineNumber});
    if (component == "VTIMEZONE" && m_eventDepth == 0 && m_zoneDepth == 0) {
      m_zoneDepth = m_open.size();
      m_zone.Begin();
    } else if ((component == "STANDARD" || component == "DAYLIGHT") && m_zoneDepth + 1 == m_open.size()) {
      m_zone.BeginPart();
    }
    m_found = m_found || (topLevel && (component == "VCALENDAR" || component == "VEVENT"));
    // An event of a calendar, or a bare one as some applications write a single event.
    bool inCalendar = m_open.size() == 2 && m_open.front().name == "VCALENDAR";
    if (component == "VEVENT" && (inCalendar || topLevel)) {
      m_eventDepth = m_open.size();
      m_event = CalendarEvent();
      m_event.lineNumber = line.lineNumber;
    }
  }

  void End(const ContentLine& line) {
    std::string component = UpperCase(line.value);
    size_t open = m_open.size();
    while (open > 0 && m_open[open - 1].name != component) --open;
    if (open == 0 && (m_open.empty() || m_open.back().name == "VCALENDAR")) {
      Warn(line.lineNumber, "END:" + line.value + " ends nothing that is open; it is skipped");
      return;
    }
    // A name that nothing open has is a misspelt END of the innermost component.
    if (open == 0) {
      Warn(line.lineNumber, "END:" + line.value + " is taken for the end of the " + m_open.back().name +
                                " begun at line " + std::to_string(m_open.back().lineNumber));
    } else {
      EndAbove(open, "END:" + component + " of line " + std::to_string(line.lineNumber));
    }
    EndTop();
  }

  // Ends the components above the first size ones, named in one warning.
  void EndAbove(size_t size, const std::string& endedBy) {
    if (m_open.size() <= size) return;
    std::string names = "the " + m_open.back().name + " begun here";
    for (size_t outer = m_open.size() - 1; outer > size; --outer) {
      names += ", the " + m_open[outer - 1].name + " of line " + std::to_string(m_open[outer - 1].lineNumber);
    }
    bool one = m_open.size() == size + 1;
    Warn(m_open.back().lineNumber, "not ended: " + names + "; " + endedBy + " ends " + (one ? "it" : "them"));
    while (m_open.size() > size) EndTop();
  }

  void EndTop() {
    if (m_open.size() == m_eventDepth) FinishEvent();
    if (m_zoneDepth != 0 && m_open.size() == m_zoneDepth + 1) m_zone.EndPart();
    if (m_open.size() == m_zoneDepth) {
      m_zone.End(m_file.zones);
      m_zoneDepth = 0;
    }
    m_open.pop_back();
  }

  void FinishEvent() {
    m_eventDepth = 0;
    if (m_event.startLine == 0) SetNoStart();
    switch (m_event.fault) {
      case EventFault::kNone:
        m_file.events.push_back(std::move(m_event));
        return;
      case EventFault::kStart:
        ++m_file.skippedWithoutStart;
        break;
      case EventFault::kRule:
        ++m_file.skippedForRule;
        break;
    }
    Warn(m_event.faultNote.lineNumber, m_event.faultNote.message + "; " + EventName(m_event) + " is skipped");
  }

  void SetNoStart() {
    if (m_event.fault != EventFault::kNone) return;
    m_event.fault = EventFault::kStart;
    m_event.faultNote = {m_event.lineNumber, "there is no DTSTART"};
  }

  CalendarFile& m_file;
  std::vector<OpenComponent> m_open;
  size_t m_eventDepth = 0;  // the size of m_open while an event's own properties come; 0 outside events
  CalendarEvent m_event;
  size_t m_zoneDepth = 0;  // the size of m_open while a VTIMEZONE's own properties come; 0 outside
  CTimeZoneComponent m_zone;
  bool m_found = false;
};

}  // namespace

bool ReadCalendarFile(std::string_view bytes, CalendarFile& file, CalendarNote& error) {
  std::vector<ContentLine> lines;
  ReadContentLines(bytes, lines, file.warnings);
  CCalendarBuilder builder(file);
  for (const ContentLine& line : lines) builder.Take(line);
  builder.Finish();
  if (builder.FoundCalendar()) return true;
  error = {1, lines.empty() ? "not an iCalendar file: it holds no content line"
                            : "not an iCalendar file: it holds no BEGIN:VCALENDAR"};
  return false;
}
