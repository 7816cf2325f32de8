#include "search/RecordAssembler.h"

#include <algorithm>

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

}  // namespace

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
