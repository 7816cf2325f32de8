// Record assembly and matching on arbitrary month-file bytes; a file cut
// into two blocks must give the same lines as the file read whole.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "search/MonthFileScan.h"
#include "search/SearchQuery.h"
#include "search/SearchSink.h"

namespace {

class CCollectingSink : public CSearchSink {
 public:
  bool IsCancelled() override { return false; }
  void SendLine(const char* line) override { m_lines.emplace_back(line); }

  std::vector<std::string> m_lines;
};

const int kKinds[] = {0, 2, 1};

}  // namespace

// Input: kind selector, cut selector, the query up to a zero byte, the file.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const int kind = kKinds[data[0] % 3];
  const uint8_t cutSelector = data[1];
  const char* rest = reinterpret_cast<const char*>(data + 2);
  size_t restSize = size - 2;
  const char* zero = static_cast<const char*>(std::memchr(rest, '\0', restSize));
  if (zero == nullptr) return 0;
  const std::string query(rest, zero);
  const char* bytes = zero + 1;
  const size_t byteCount = restSize - (query.size() + 1);

  const CSearchQuery searchQuery(kind, query.c_str());
  CCollectingSink whole;
  ScanMonthBytes(searchQuery, "schedule2010_03.dat", bytes, byteCount, whole);

  CCollectingSink cut;
  CMonthFileScan scan(searchQuery, "schedule2010_03.dat", cut);
  const size_t split = byteCount * cutSelector / 255;
  if (scan.Feed(bytes, split) && scan.Feed(bytes + split, byteCount - split)) scan.Finish();
  if (whole.m_lines != cut.m_lines) std::abort();
  return 0;
}
