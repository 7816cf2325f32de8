#include "search/RecordAssembler.h"

#include <algorithm>
#include <cstring>

#include "data/FieldCodec.h"

namespace {

constexpr int kSealSectionTabs = 5;  // the day's and the four slots'

// Index of the n-th TAB (1-based) of text, or npos.
size_t FindNthTab(std::string_view text, int n) {
  size_t at = std::string_view::npos;
  for (int i = 0; i < n; ++i) {
    at = text.find('\t', at + 1);
    if (at == std::string_view::npos) break;
  }
  return at;
}

// One line, its end removed, with separators as TABs and escapes gone,
// written from out on; returns the end of what was written.
char* UnescapeLine(const char* line, size_t length, char* out) {
  for (size_t i = 0; i < length;) {
    const char c = line[i];
    if (IsLeadByte(static_cast<unsigned char>(c))) {
      *out++ = c;
      if (i + 1 < length) *out++ = line[i + 1];
      i += 2;
    } else if (c == '\\') {
      // A pair keeps its second byte; a lone escape goes, and the byte after it is read as it stands.
      const bool pairs = i + 1 < length && (line[i + 1] == '\\' || line[i + 1] == ',');
      if (pairs) *out++ = line[i + 1];
      i += pairs ? 2 : 1;
    } else {
      *out++ = c == ',' ? '\t' : c;
      ++i;
    }
  }
  return out;
}

}  // namespace

char* WriteUnescapedRecordText(const char* bytes, size_t from, size_t end, char* out) {
  bool inLine = from > 0 && bytes[from - 1] != '\n';  // begun right after a separator
  for (size_t at = from; at < end;) {
    const void* lineFeed = std::memchr(bytes + at, '\n', end - at);
    size_t lineEnd = lineFeed != nullptr ? static_cast<size_t>(static_cast<const char*>(lineFeed) - bytes) : end;
    const size_t next = lineFeed != nullptr ? lineEnd + 1 : end;
    // As a text-mode read: CR LF ends a line; a CR without LF at the end of the bytes stays.
    if (lineFeed != nullptr && lineEnd > at && bytes[lineEnd - 1] == '\r') --lineEnd;
    if (lineEnd > at || inLine) {
      out = UnescapeLine(bytes + at, lineEnd - at, out);
      *out++ = '\n';
    }
    inLine = false;
    at = next;
  }
  return out;
}

bool CRecordAssembler::AddLine(const char* line, size_t length) {
  if (m_complete) {
    m_text.clear();
    m_commas = 0;
    m_complete = false;
  }
  const size_t offset = m_text.size();
  const size_t kept = std::min(length, kMaxRecordText - offset);
  m_text.append(line, kept);
  // Separators are looked for in the whole line, also beyond what is kept.
  const int lineLength = static_cast<int>(length);
  for (int from = 0; from < lineLength;) {
    int found = FindSeparator(line + from, lineLength - from, ',');
    if (found < 0) break;
    size_t at = static_cast<size_t>(from + found);
    if (at < kept) m_text[offset + at] = '\t';
    ++m_commas;
    from += found + 1;
  }
  if (m_text.size() < kMaxRecordText) m_text.push_back('\n');
  if (m_commas < kCommasPerRecord) return false;
  m_complete = true;
  Unescape();
  return true;
}

void CRecordAssembler::Unescape() {
  // Most records hold no 0x5C at all, and only a 0x5C is ever removed.
  if (m_text.find('\\') == std::string::npos) return;
  // UnescapeField writes a zero after its result; give it the room.
  const size_t length = m_text.size();
  m_text.push_back('\0');
  m_text.resize(UnescapeField(&m_text[0], length));
}

std::string_view CRecordAssembler::SealSection() const {
  std::string_view text = m_text;
  // From the first TAB rather than the third byte: a day number written
  // with one digit must not hide slot 1.
  size_t first = text.find('\t');
  size_t fifth = FindNthTab(text, kSealSectionTabs);
  if (fifth == std::string_view::npos) return {};
  return text.substr(first, fifth + 1 - first);
}

std::string_view CRecordAssembler::SearchedText() const {
  std::string_view text = m_text;
  size_t fifth = FindNthTab(text, kSealSectionTabs);
  if (fifth == std::string_view::npos) return {};
  return text.substr(fifth + 1);
}
