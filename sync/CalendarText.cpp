#include "sync/CalendarText.h"

#include <algorithm>
#include <map>
#include <utility>

#include "import/CalendarValues.h"

namespace {

constexpr uint64_t kFnvPrime = 0x100000001b3ULL;

bool IsContinuation(const std::string& physical) {
  return !physical.empty() && (physical[0] == ' ' || physical[0] == '\t');
}

// Each line of the text, from its first byte to its LF (or the text's end).
template <typename Each>
void ForEachPhysicalLine(const std::string& text, Each each) {
  size_t begin = 0;
  while (begin < text.size()) {
    const size_t end = std::min(text.find('\n', begin), text.size());
    each(begin, end);
    begin = end + 1;
  }
}

bool IsRewritten(const std::string& name) {
  return name == "DTSTAMP" || name == "LAST-MODIFIED" || name == "CREATED" || name == "SEQUENCE";
}

// Name, parameters in the order of their names, value: as servers may write it either way.
std::string NormalLine(const ContentLine& line) {
  std::vector<std::string> parameters;
  for (const ContentParameter& parameter : line.parameters) {
    std::string text = parameter.name + "=";
    for (size_t i = 0; i < parameter.values.size(); ++i) text += (i > 0 ? "," : "") + parameter.values[i];
    parameters.push_back(std::move(text));
  }
  std::sort(parameters.begin(), parameters.end());
  std::string normal = line.name;
  for (const std::string& parameter : parameters) normal += ";" + parameter;
  return normal + ":" + line.value;
}

}  // namespace

uint64_t HashBytes(const std::string& bytes, uint64_t seed) {
  uint64_t hash = seed;
  for (char c : bytes) {
    hash ^= static_cast<unsigned char>(c);
    hash *= kFnvPrime;
  }
  return hash;
}

std::string RestoreCarriageReturns(const std::string& text) {
  if (text.find('\r') != std::string::npos) return text;
  auto blank = [&](size_t begin, size_t end) { return text.find_first_not_of(' ', begin) >= end; };
  size_t lines = 0;
  size_t ending = 0;
  ForEachPhysicalLine(text, [&](size_t begin, size_t end) {
    if (blank(begin, end)) return;  // says nothing of it
    ++lines;
    if (text[end - 1] == ' ') ++ending;
  });
  if (ending * 2 <= lines) return text;
  std::string restored = text;
  ForEachPhysicalLine(text, [&](size_t begin, size_t end) {
    // Blanks after the last line end are the XML writer's, before its closing tag.
    if (end > begin && text[end - 1] == ' ' && !(end == text.size() && blank(begin, end))) restored[end - 1] = '\r';
  });
  return restored;
}

CCalendarText::CCalendarText(const std::string& text) {
  // The physical lines, each with the number the content-line reader gives it.
  std::vector<std::string> physical;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    physical.push_back(std::move(line));
    start = end + 1;
  }
  std::vector<ContentLine> parsed;
  std::vector<CalendarNote> broken;
  ReadContentLines(text, parsed, broken);
  std::map<int, ContentLine*> byNumber;
  for (ContentLine& line : parsed) byNumber[line.lineNumber] = &line;
  for (size_t i = 0; i < physical.size();) {
    CalendarTextLine line;
    line.raw = physical[i];
    const int number = static_cast<int>(i) + 1;
    ++i;
    // An empty line or a stray continuation stands alone; a content line takes its continuations.
    if (!line.raw.empty() && !IsContinuation(line.raw)) {
      while (i < physical.size() && IsContinuation(physical[i])) line.raw += "\r\n" + physical[i++];
    }
    auto found = byNumber.find(number);
    if (found != byNumber.end()) {
      line.parsed = true;
      line.line = std::move(*found->second);
    }
    m_lines.push_back(std::move(line));
  }
}

std::string CCalendarText::Text() const {
  std::string text;
  for (const CalendarTextLine& line : m_lines) {
    // Empty lines say nothing and some servers refuse them.
    if (line.raw.empty()) continue;
    text += line.raw;
    text += "\r\n";
  }
  return text;
}

std::vector<EventComponent> CCalendarText::Events() const {
  std::vector<EventComponent> events;
  int depth = 0;
  bool inEvent = false;
  int eventDepth = 0;
  for (size_t i = 0; i < m_lines.size(); ++i) {
    const CalendarTextLine& text = m_lines[i];
    if (!text.parsed) continue;
    const ContentLine& line = text.line;
    if (line.name == "BEGIN") {
      ++depth;
      if (!inEvent && UpperCase(line.value) == "VEVENT") {
        inEvent = true;
        eventDepth = depth;
        events.push_back(EventComponent());
        events.back().begin = i;
      }
    } else if (line.name == "END") {
      if (inEvent && depth == eventDepth) {
        inEvent = false;
        events.back().end = i;
      }
      if (depth > 0) --depth;
    } else if (inEvent && depth == eventDepth) {
      if (line.name == "UID") events.back().uid = line.value;
      if (line.name == "RECURRENCE-ID") events.back().hasRecurrenceId = true;
    }
  }
  if (inEvent) events.back().end = m_lines.size();
  return events;
}

std::vector<size_t> CCalendarText::OwnProperties(const EventComponent& component, const char* name) const {
  std::vector<size_t> found;
  int depth = 0;
  for (size_t i = component.begin + 1; i < component.end && i < m_lines.size(); ++i) {
    if (!m_lines[i].parsed) continue;
    const std::string& lineName = m_lines[i].line.name;
    if (lineName == "BEGIN") {
      ++depth;
    } else if (lineName == "END") {
      --depth;
    } else if (depth == 0 && lineName == name) {
      found.push_back(i);
    }
  }
  return found;
}

std::vector<EventComponent> CCalendarText::Inner(const EventComponent& component) const {
  std::vector<EventComponent> inner;
  int depth = 0;
  for (size_t i = component.begin + 1; i < component.end && i < m_lines.size(); ++i) {
    if (!m_lines[i].parsed) continue;
    const std::string& lineName = m_lines[i].line.name;
    if (lineName == "BEGIN" && depth++ == 0) {
      inner.push_back(EventComponent());
      inner.back().begin = i;
      inner.back().end = component.end;
    } else if (lineName == "END" && depth > 0 && --depth == 0) {
      inner.back().end = i;
    }
  }
  return inner;
}

bool CCalendarText::HasTimeZone(const std::string& tzid) const {
  bool inZone = false;
  for (const CalendarTextLine& text : m_lines) {
    if (!text.parsed) continue;
    const ContentLine& line = text.line;
    if (line.name == "BEGIN" && UpperCase(line.value) == "VTIMEZONE") inZone = true;
    if (line.name == "END" && UpperCase(line.value) == "VTIMEZONE") inZone = false;
    if (inZone && line.name == "TZID" && line.value == tzid) return true;
  }
  return false;
}

void CCalendarText::Remove(size_t index) { RemoveRange(index, 1); }

void CCalendarText::RemoveRange(size_t index, size_t count) {
  if (index >= m_lines.size()) return;
  count = std::min(count, m_lines.size() - index);
  m_lines.erase(m_lines.begin() + static_cast<long>(index), m_lines.begin() + static_cast<long>(index + count));
}

void CCalendarText::Insert(size_t index, const std::string& formatted) {
  CCalendarText added(formatted);
  index = std::min(index, m_lines.size());
  m_lines.insert(m_lines.begin() + static_cast<long>(index), added.m_lines.begin(), added.m_lines.end());
}

uint64_t CCalendarText::ContentHash() const {
  uint64_t hash = HashBytes(std::string());
  for (const EventComponent& event : Events()) {
    for (size_t i = event.begin; i <= event.end && i < m_lines.size(); ++i) {
      const CalendarTextLine& text = m_lines[i];
      if (!text.parsed || IsRewritten(text.line.name)) continue;
      hash = HashBytes(NormalLine(text.line) + "\n", hash);
    }
  }
  return hash;
}
