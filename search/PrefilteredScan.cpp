#include "search/PrefilteredScan.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "data/FieldCodec.h"
#include "search/HitReport.h"
#include "search/LineSplitter.h"
#include "search/MonthFileScan.h"
#include "search/RawRecords.h"
#include "search/RecordAssembler.h"
#include "search/ResultLine.h"
#include "search/SearchMessages.h"

namespace {

constexpr size_t kNone = std::string_view::npos;

// The day's and the four slots' separators: the searched text follows the last.
constexpr int kSealSectionSeparators = 5;

// Room for the lines of most hits from the start.
constexpr size_t kLineBufferStart = 1024;

// One line as the text-mode read gives it: LF or CR LF removed; the last
// line, without LF, keeps what it has.
struct Line {
  size_t begin;
  size_t length;
  size_t next;  // where the line after it begins
};

Line LineAt(const char* bytes, size_t size, size_t begin) {
  const void* lineFeed = std::memchr(bytes + begin, '\n', size - begin);
  if (lineFeed == nullptr) return {begin, size - begin, size};
  const size_t end = static_cast<size_t>(static_cast<const char*>(lineFeed) - bytes);
  const size_t length = end > begin && bytes[end - 1] == '\r' ? end - begin - 1 : end - begin;
  return {begin, length, end + 1};
}

// The first place at or after a position where any needle starts.
class CNeedlePlaces {
 public:
  CNeedlePlaces(const std::vector<CByteFinder>& needles, std::string_view text)
      : m_needles(needles), m_text(text), m_next(needles.size(), 0) {}

  size_t From(size_t from) {
    size_t first = kNone;
    for (size_t i = 0; i < m_needles.size(); ++i) {
      if (m_next[i] != kNone && m_next[i] < from) m_next[i] = m_needles[i].Find(m_text, from);
      first = std::min(first, m_next[i]);
    }
    return first;
  }

 private:
  const std::vector<CByteFinder>& m_needles;
  std::string_view m_text;
  std::vector<size_t> m_next;  // each needle's next place, at or after the last position asked
};

// The record of the lines in [begin, end), put together as the line-by-line scan does.
void AssembleRecord(const char* bytes, size_t begin, size_t end, CRecordAssembler& record) {
  for (size_t at = begin; at < end;) {
    const Line line = LineAt(bytes, end, at);
    if (line.length > 0) record.AddLine(bytes + line.begin, line.length);
    at = line.next;
  }
}

}  // namespace

std::optional<bool> ScanWithPrefilter(const CSearchQuery& query, std::string_view fileName, const char* bytes,
                                      size_t size, CSearchSink& sink) {
  if (query.RawNeedles().empty() || size > kMaxLinePiece) return std::nullopt;
  if (size == 0) {
    sink.SendLine(kLegacyDataMessage);
    return true;
  }
  if (std::memchr(bytes, '\0', size) != nullptr) return std::nullopt;
  // A seal's needle stands for its code between separators; a TAB in a field reads like one.
  const bool holdsTab = std::memchr(bytes, '\t', size) != nullptr;
  if (query.Kind() == kSealSearch && holdsTab) return std::nullopt;
  const Line header = LineAt(bytes, size, 0);
  if (std::string_view(bytes, header.length) != kCurrentFormatHeader) {
    sink.SendLine(kLegacyDataMessage);
    return true;
  }
  if (!EscapesKeepNeedlesWhole(bytes, header.next, size)) return std::nullopt;

  CNeedlePlaces needles(query.RawNeedles(), std::string_view(bytes, size));
  size_t nextNeedle = needles.From(header.next);
  // Reused: a record put together before is complete, so the next line starts afresh.
  CRecordAssembler record;
  std::string resultLine;
  const CResultLineStart lineStart(fileName, kTextHitLabel);
  std::vector<char> lineBuffer(kLineBufferStart);
  int day = 0;
  for (size_t at = header.next; at < size && nextNeedle != kNone;) {
    const size_t end = RecordEnd(bytes, size, at);
    if (end == kNone) break;
    ++day;
    if (nextNeedle < end) {
      // Asked before each record that can be a hit: as often as the lines sent can tell.
      if (sink.IsCancelled()) return false;
      if (query.Kind() == kTextSearch && !holdsTab) {
        // The searched text begins right after the 5th separator, as no TAB
        // in a field can pass for one: only that part is put together.
        const size_t fifth = NthSeparator(bytes, at, kSealSectionSeparators);
        // The buffer only grows: no bytes are cleared for a line that is written over anyway.
        const size_t room = lineStart.Length(day) + (end - fifth) + 1;
        if (lineBuffer.size() < room) lineBuffer.resize(room);
        char* const textBegin = lineStart.Write(lineBuffer.data(), day);
        char* const textEnd = WriteUnescapedRecordText(bytes, fifth + 1, end, textBegin);
        *textEnd = '\0';
        if (query.MatchesText(std::string_view(textBegin, static_cast<size_t>(textEnd - textBegin)))) {
          sink.SendLine(lineBuffer.data());
        }
      } else {
        AssembleRecord(bytes, at, end, record);
        ReportIfHit(query, record, fileName, day, resultLine, sink);
      }
      nextNeedle = needles.From(end);
    }
    at = end;
  }
  return true;
}
