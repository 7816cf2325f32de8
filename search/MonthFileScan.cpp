#include "search/MonthFileScan.h"

#include <cstring>

#include "data/SealTable.h"
#include "data/LenientDecimal.h"
#include "search/ResultLine.h"
#include "search/SearchMessages.h"

namespace {

constexpr std::string_view kCurrentFormatHeader = "QL3";

// The name of a stored code; a code without a row is named by nothing.
const char* SealNameOf(int code) {
  const SealEntry* row = FindSealRow(code, kSealKeyCode);
  return row != nullptr ? row->szName : "";
}

// "[%s][%s][%s][%s]" from TAB slot1 TAB slot2 TAB slot3 TAB slot4 TAB.
std::string SealNamesText(std::string_view sealSection) {
  std::string text;
  size_t at = 0;
  for (int slot = 0; slot < 4; ++slot) {
    size_t begin = at + 1;
    size_t end = sealSection.find('\t', begin);
    if (end == std::string_view::npos) end = sealSection.size();
    int code = ParseLenientDecimal(sealSection.substr(begin, end - begin));
    text.append("[").append(SealNameOf(code)).append("]");
    at = end;
  }
  return text;
}

}  // namespace

CMonthFileScan::CMonthFileScan(const CSearchQuery& query, std::string_view fileName, CSearchSink& sink)
    : m_query(query), m_fileName(fileName), m_sink(sink) {}

bool CMonthFileScan::OnLine(const char* line, size_t length) {
  // A zero byte ends the line's text, as it ends a C string.
  if (const void* zero = std::memchr(line, '\0', length)) length = static_cast<const char*>(zero) - line;
  if (!m_headerRead) {
    m_headerRead = true;
    if (std::string_view(line, length) == kCurrentFormatHeader) return true;
    m_sink.SendLine(kLegacyDataMessage);
    return false;
  }
  if (m_sink.IsCancelled()) {
    m_endsSearch = true;
    return false;
  }
  if (length == 0) return true;
  if (!m_record.AddLine(line, length)) return true;
  ++m_day;
  if (!m_query.IsKnownKind()) {
    m_sink.SendLine(kSearchFailedMessage);
    m_endsSearch = true;
    return false;
  }
  OnRecord();
  return true;
}

bool CMonthFileScan::Feed(const char* bytes, size_t size) {
  return m_splitter.Feed(bytes, size, [this](const char* line, size_t length) { return OnLine(line, length); });
}

void CMonthFileScan::Finish() {
  if (!m_splitter.Finish([this](const char* line, size_t length) { return OnLine(line, length); })) return;
  if (!m_headerRead) m_sink.SendLine(kLegacyDataMessage);
}

void CMonthFileScan::OnRecord() {
  if (m_query.Kind() == kTextSearch) {
    std::string_view searched = m_record.SearchedText();
    if (m_query.MatchesText(searched)) SendHit(kTextHitLabel, searched);
    return;
  }
  std::string_view sealSection = m_record.SealSection();
  if (m_query.MatchesSeals(sealSection)) SendHit(kSealHitLabel, SealNamesText(sealSection));
}

void CMonthFileScan::SendHit(std::string_view label, std::string_view text) {
  FormatResultLine(m_resultLine, m_fileName, m_day, label, text);
  m_sink.SendLine(m_resultLine.c_str());
}

bool ScanMonthBytes(const CSearchQuery& query, std::string_view fileName, const char* bytes, size_t size,
                    CSearchSink& sink) {
  CMonthFileScan scan(query, fileName, sink);
  if (scan.Feed(bytes, size)) scan.Finish();
  return !scan.EndsSearch();
}
