#include "import/CalendarFile.h"

#include <memory>
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
}  // namespace

class CCalendarReader::CBuilder {
 public:
  CBuilder(const EventSink& events, const NoteSink& warnings, CalendarReading& reading, bool outline)
      : m_events(events), m_warnings(warnings), m_reading(reading), m_outline(outline) {}

  void Take(const ContentLine& line) {
    TakeLine(line);
    for (const CalendarNote& note : m_eventNotes) m_warnings(note);
    m_eventNotes.clear();
  }

  void Finish() { EndAbove(0, "the end of the file"); }

  bool FoundCalendar() const { return m_found; }

 private:
  void TakeLine(const ContentLine& line) {
    if (line.name == "BEGIN") {
      Begin(line);
    } else if (line.name == "END") {
      End(line);
    } else if (m_open.empty()) {
      Warn(line.lineNumber, "the property " + line.name + " stands outside any component; it is skipped");
    } else if (m_open.size() == m_eventDepth) {
      if (!m_outline || line.name == "UID" || line.name == "RECURRENCE-ID")
        TakeEventProperty(line, m_event, m_eventNotes);
    } else if (m_zoneDepth != 0 && m_open.size() <= m_zoneDepth + 1) {
      m_zone.Take(line);
    }
  }

  void Warn(int lineNumber, std::string text) { m_warnings({lineNumber, std::move(text)}); }

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
      m_zone.End(m_reading.zones);
      m_zoneDepth = 0;
    }
    m_open.pop_back();
  }

  void FinishEvent() {
    m_eventDepth = 0;
    if (m_outline) {
      m_events(m_event);
      return;
    }
    if (m_event.startLine == 0) SetNoStart();
    switch (m_event.fault) {
      case EventFault::kNone:
        m_events(m_event);
        return;
      case EventFault::kStart:
        ++m_reading.skippedWithoutStart;
        break;
      case EventFault::kRule:
        ++m_reading.skippedForRule;
        break;
    }
    Warn(m_event.faultNote.lineNumber, m_event.faultNote.message + "; " + EventName(m_event) + " is skipped");
  }

  void SetNoStart() {
    if (m_event.fault != EventFault::kNone) return;
    m_event.fault = EventFault::kStart;
    m_event.faultNote = {m_event.lineNumber, "there is no DTSTART"};
  }

  const EventSink& m_events;
  const NoteSink& m_warnings;
  CalendarReading& m_reading;
  const bool m_outline;
  std::vector<CalendarNote> m_eventNotes;  // of the line being taken
  std::vector<OpenComponent> m_open;
  size_t m_eventDepth = 0;  // the size of m_open while an event's own properties come; 0 outside events
  CalendarEvent m_event;
  size_t m_zoneDepth = 0;  // the size of m_open while a VTIMEZONE's own properties come; 0 outside
  CTimeZoneComponent m_zone;
  bool m_found = false;
};

CCalendarReader::CCalendarReader(EventSink events, NoteSink warnings, bool outline)
    : m_eventSink(std::move(events)),
      m_warningSink(std::move(warnings)),
      m_builder(std::make_unique<CBuilder>(m_eventSink, m_warningSink, m_reading, outline)),
      m_lines(
          [this](ContentLine& line) {
            m_anyLine = true;
            m_builder->Take(line);
          },
          [this](const CalendarNote& note) { m_warningSink(note); }) {}

CCalendarReader::~CCalendarReader() = default;

void CCalendarReader::Feed(std::string_view bytes) { m_lines.Feed(bytes); }

bool CCalendarReader::Finish(CalendarNote& error) {
  m_lines.Finish();
  m_builder->Finish();
  if (m_builder->FoundCalendar()) return true;
  error = {1, m_anyLine ? "not an iCalendar file: it holds no BEGIN:VCALENDAR"
                        : "not an iCalendar file: it holds no content line"};
  return false;
}

bool ReadCalendarFile(std::string_view bytes, CalendarFile& file, CalendarNote& error) {
  CCalendarReader reader([&](CalendarEvent& event) { file.events.push_back(std::move(event)); },
                         [&](const CalendarNote& note) { file.warnings.push_back(note); });
  reader.Feed(bytes);
  bool found = reader.Finish(error);
  file.zones = reader.Reading().zones;
  file.skippedWithoutStart = reader.Reading().skippedWithoutStart;
  file.skippedForRule = reader.Reading().skippedForRule;
  return found;
}
