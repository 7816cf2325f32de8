#include "search/MonthFileScan.h"

#include <cstring>

#include "search/HitReport.h"
#include "search/PrefilteredScan.h"
#include "search/SearchMessages.h"

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
  ReportIfHit(m_query, m_record, m_fileName, m_day, m_resultLine, m_sink);
  return true;
}

bool CMonthFileScan::Feed(const char* bytes, size_t size) {
  return m_splitter.Feed(bytes, size, [this](const char* line, size_t length) { return OnLine(line, length); });
}

void CMonthFileScan::Finish() {
  if (!m_splitter.Finish([this](const char* line, size_t length) { return OnLine(line, length); })) return;
  if (!m_headerRead) m_sink.SendLine(kLegacyDataMessage);
}

bool ScanMonthBytes(const CSearchQuery& query, std::string_view fileName, const char* bytes, size_t size,
                    CSearchSink& sink) {
  if (std::optional<bool> goOn = ScanWithPrefilter(query, fileName, bytes, size, sink)) return *goOn;
  CMonthFileScan scan(query, fileName, sink);
  if (scan.Feed(bytes, size)) scan.Finish();
  return !scan.EndsSearch();
}
