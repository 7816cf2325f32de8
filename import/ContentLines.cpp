#include "import/ContentLines.h"

#include <utility>

#include "cp932/Cp932FromUtf8.h"

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr size_t kKeptCapacity = 64 * 1024;

bool IsNameCharacter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
}

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool IsUtf8(std::string_view text) {
  size_t at = 0;
  while (at < text.size()) {
    if (NextUtf8CodePoint(text, at) < 0) return false;
  }
  return true;
}

// RFC 6868: ^n is a line break, ^^ a caret and ^' a double quote.
std::string DecodeCarets(std::string_view value) {
  std::string decoded;
  for (size_t i = 0; i < value.size(); ++i) {
    char next = i + 1 < value.size() ? value[i + 1] : '\0';
    if (value[i] == '^' && (next == 'n' || next == '^' || next == '\'')) {
      decoded += next == 'n' ? '\n' : next == '\'' ? '"' : '^';
      ++i;
    } else {
      decoded += value[i];
    }
  }
  return decoded;
}

class CLineSplitter {
 public:
  CLineSplitter(std::string_view text, ContentLine& line) : m_text(text), m_line(line) {}

  // False with a reason when the line is no NAME *(;PARAM) : VALUE.
  bool Split(std::string& reason) {
    if (!ReadName(m_line.name)) {
      reason = "it does not begin with a property name";
      return false;
    }
    while (At() == ';') {
      ++m_at;
      // "DTSTART;;VALUE=DATE-TIME:": a parameter left empty, which common readers pass over.
      if (At() == ';' || At() == ':') {
        ++m_emptyParameters;
        continue;
      }
      ContentParameter parameter;
      if (!ReadName(parameter.name) || At() != '=') {
        reason = "a parameter of " + m_line.name + " has no NAME=";
        return false;
      }
      do {
        ++m_at;
        std::string value;
        if (!ReadParameterValue(value)) {
          reason = "a quoted value of the parameter " + parameter.name + " is not closed";
          return false;
        }
        parameter.values.push_back(DecodeCarets(value));
      } while (At() == ',');
      m_line.parameters.push_back(std::move(parameter));
    }
    if (At() != ':') {
      reason = "the property " + m_line.name + " has no colon before its value";
      return false;
    }
    m_line.value = std::string(m_text.substr(m_at + 1));
    return true;
  }

  int EmptyParameters() const { return m_emptyParameters; }

 private:
  char At() const { return m_at < m_text.size() ? m_text[m_at] : '\0'; }

  bool ReadName(std::string& name) {
    size_t start = m_at;
    while (m_at < m_text.size() && IsNameCharacter(m_text[m_at])) name += Upper(m_text[m_at++]);
    return m_at > start;
  }

  bool ReadParameterValue(std::string& value) {
    if (At() == '"') {
      size_t close = m_text.find('"', m_at + 1);
      if (close == std::string_view::npos) return false;
      value = std::string(m_text.substr(m_at + 1, close - m_at - 1));
      m_at = close + 1;
      return true;
    }
    size_t end = m_text.find_first_of(";:,", m_at);
    if (end == std::string_view::npos) end = m_text.size();
    value = std::string(m_text.substr(m_at, end - m_at));
    m_at = end;
    return true;
  }

  std::string_view m_text;
  ContentLine& m_line;
  size_t m_at = 0;
  int m_emptyParameters = 0;
};

}  // namespace

const std::string* ContentLine::Parameter(std::string_view parameterName) const {
  for (const ContentParameter& parameter : parameters) {
    if (parameter.name == parameterName && !parameter.values.empty()) return &parameter.values.front();
  }
  return nullptr;
}

CContentLineReader::CContentLineReader(LineSink lines, NoteSink notes)
    : m_lines(std::move(lines)), m_notes(std::move(notes)) {}

void CContentLineReader::Feed(std::string_view bytes) {
  while (!bytes.empty()) {
    size_t end = bytes.find('\n');
    if (end == std::string_view::npos) {
      m_partial.append(bytes);
      return;
    }
    if (m_partial.empty()) {
      TakePhysical(bytes.substr(0, end));
    } else {
      m_partial.append(bytes.substr(0, end));
      TakePhysical(m_partial);
      m_partial.clear();
    }
    bytes.remove_prefix(end + 1);
  }
}

void CContentLineReader::Finish() {
  if (!m_partial.empty()) TakePhysical(m_partial);
  m_partial.clear();
  FinishLogical();
}

void CContentLineReader::TakePhysical(std::string_view physical) {
  ++m_number;
  if (m_number == 1 && physical.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    physical.remove_prefix(kByteOrderMark.size());
  }
  if (!physical.empty() && physical.back() == '\r') physical.remove_suffix(1);
  if (!physical.empty() && (physical[0] == ' ' || physical[0] == '\t')) {
    if (m_logicalStart == 0) {
      m_notes({m_number, "a folded line continues no content line; it is skipped"});
    } else {
      m_logical.append(physical.substr(1));
    }
    return;
  }
  FinishLogical();
  if (physical.empty()) return;
  m_logical.assign(physical);
  m_logicalStart = m_number;
}

void CContentLineReader::FinishLogical() {
  if (m_logicalStart == 0) return;
  ContentLine line;
  line.lineNumber = m_logicalStart;
  std::string reason = "it is not UTF-8 text";
  CLineSplitter splitter(m_logical, line);
  if (IsUtf8(m_logical) && splitter.Split(reason)) {
    if (splitter.EmptyParameters() > 0) m_notes({m_logicalStart, "an empty parameter of " + line.name + " is skipped"});
    m_lines(line);
  } else {
    m_notes({m_logicalStart, "a broken content line: " + reason + "; it is skipped"});
  }
  m_logicalStart = 0;
  // A line of a megabyte gives its room back.
  if (m_logical.capacity() > kKeptCapacity) std::string().swap(m_logical);
}

void ReadContentLines(std::string_view bytes, std::vector<ContentLine>& lines, std::vector<CalendarNote>& broken) {
  CContentLineReader reader([&](ContentLine& line) { lines.push_back(std::move(line)); },
                            [&](const CalendarNote& note) { broken.push_back(note); });
  reader.Feed(bytes);
  reader.Finish();
}
