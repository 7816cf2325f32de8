#include "search/PrefilteredScan.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "data/FieldCodec.h"
#include "search/HitReport.h"
#include "search/LineSplitter.h"
#include "search/MonthFileScan.h"
#include "search/RecordAssembler.h"
#include "search/ResultLine.h"
#include "search/SearchMessages.h"

namespace {

constexpr size_t kNone = std::string_view::npos;

// The day's and the four slots' separators: the searched text follows the last.
constexpr int kSealSectionSeparators = 5;

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

// Whether the byte at `at` is the second of a two-byte character. After any
// byte that cannot lead a pair the walk through a record is in step, and
// from there the lead bytes pair off.
bool IsTrailByte(const unsigned char* bytes, size_t begin, size_t at) {
  size_t from = at;
  while (from > begin && IsLeadByte(bytes[from - 1])) --from;
  return (at - from) % 2 == 1;
}

// Whether every escape that unescaping removes stands before a backslash, a
// comma or a line end, bytes that no needle holds: a needle in a record's
// text then stands whole in the raw bytes.
bool EscapesKeepNeedlesWhole(const char* text, size_t begin, size_t size) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text);
  for (size_t at = begin; at < size;) {
    const void* found = std::memchr(text + at, '\\', size - at);
    if (found == nullptr) break;
    const size_t first = static_cast<size_t>(static_cast<const char*>(found) - text);
    size_t end = first;
    while (end < size && bytes[end] == '\\') ++end;
    at = end;
    if (end == size || bytes[end] == ',' || bytes[end] == '\r' || bytes[end] == '\n') continue;
    // Escapes and the backslashes they keep alternate; a trail byte 0x5C is neither.
    const size_t escaping = end - first - (IsTrailByte(bytes, begin, first) ? 1 : 0);
    if (escaping % 2 == 1) return false;
  }
  return true;
}

// The bytes of a machine word at once: bit 7 of each byte of the result is
// set where the byte of the word equals b, every other bit is clear.
using Word = uintptr_t;
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "the first byte of a word is its lowest");

constexpr Word kEveryByte = ~Word{0} / 0xFF;

Word BytesEqual(Word word, unsigned char b) {
  const Word low7 = kEveryByte * 0x7F;
  const Word zeroWhereEqual = word ^ (kEveryByte * b);
  return ~(((zeroWhereEqual & low7) + low7) | zeroWhereEqual | low7);
}

size_t LowestMarkedByte(Word marks) {
  if constexpr (sizeof(Word) > sizeof(unsigned int)) return static_cast<size_t>(__builtin_ctzll(marks)) / 8;
  return static_cast<size_t>(__builtin_ctz(static_cast<unsigned int>(marks))) / 8;
}

// Whether the comma at `at` separates, judged from the bytes before it on
// its line alone: it is no trail byte, and the backslashes right before it
// that are no trail byte pair off, each pair an escaped backslash. Looking
// back stops at the LF before the line, which neither leads nor escapes.
inline bool IsSeparatorAt(const unsigned char* bytes, size_t at) {
  if (at == 0) return true;
  const unsigned char before = bytes[at - 1];
  if (before != '\\' && !IsLeadByte(before)) return true;  // nearly always
  if (IsLeadByte(before)) return !IsTrailByte(bytes, 0, at);
  size_t first = at;
  while (first > 0 && bytes[first - 1] == '\\') --first;
  const size_t escapes = at - first - (first > 0 && IsTrailByte(bytes, 0, first) ? 1 : 0);
  return escapes % 2 == 0;
}

// The bytes of a word marked at once, counted: each mark is bit 7 of a byte.
size_t MarkCount(Word marks) {
  return static_cast<size_t>(((marks >> 7) * kEveryByte) >> (8 * (sizeof(Word) - 1)));
}

// Where the record that starts at from ends: past the LF of the line with
// its 11th separator, or at the end of the bytes; kNone when the bytes end
// before the record is complete. from > 0: the byte before it is looked at.
// Separators are counted over the bytes at large rather than line by line:
// what decides a comma lies before it on its own line.
size_t RecordEnd(const char* text, size_t size, size_t from) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text);
  const Word highBits = kEveryByte * 0x80;
  size_t count = 0;
  size_t last = kNone;  // the 11th separator
  size_t i = from;
  for (; i + sizeof(Word) <= size && last == kNone; i += sizeof(Word)) {
    Word word;
    Word before;
    std::memcpy(&word, bytes + i, sizeof word);
    std::memcpy(&before, bytes + i - 1, sizeof before);
    const Word commas = BytesEqual(word, ',');
    if (commas == 0) continue;
    // A comma after a byte below 0x80 other than a backslash separates
    // whatever came before; only the others are judged one by one.
    const Word doubtful = commas & ((before & highBits) | BytesEqual(before, '\\'));
    if (doubtful == 0 && count + MarkCount(commas) < kCommasPerRecord) {
      count += MarkCount(commas);
      continue;
    }
    for (Word marks = commas; marks != 0; marks &= marks - 1) {
      const size_t at = i + LowestMarkedByte(marks);
      if (IsSeparatorAt(bytes, at) && ++count == kCommasPerRecord) {
        last = at;
        break;
      }
    }
  }
  for (; i < size && last == kNone; ++i) {
    if (bytes[i] == ',' && IsSeparatorAt(bytes, i) && ++count == kCommasPerRecord) last = i;
  }
  if (last == kNone) return kNone;
  const void* lineFeed = std::memchr(text + last, '\n', size - last);
  return lineFeed != nullptr ? static_cast<size_t>(static_cast<const char*>(lineFeed) - text) + 1 : size;
}

// The n-th separator of a complete record that starts at from.
size_t NthSeparator(const char* text, size_t from, int n) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text);
  for (size_t at = from;; ++at) {
    if (bytes[at] == ',' && IsSeparatorAt(bytes, at) && --n == 0) return at;
  }
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
  if (query.Kind() == kSealSearch && std::memchr(bytes, '\t', size) != nullptr) return std::nullopt;
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
  CResultLineStart lineStart(fileName, kTextHitLabel);
  int day = 0;
  for (size_t at = header.next; at < size && nextNeedle != kNone;) {
    const size_t end = RecordEnd(bytes, size, at);
    if (end == kNone) break;
    ++day;
    if (nextNeedle < end) {
      // Asked before each record that can be a hit: as often as the lines sent can tell.
      if (sink.IsCancelled()) return false;
      const size_t fifth = query.Kind() == kTextSearch ? NthSeparator(bytes, at, kSealSectionSeparators) : kNone;
      if (fifth != kNone && std::memchr(bytes + at, '\t', fifth - at) == nullptr) {
        // The searched text begins right after the 5th separator: only that part is put together.
        lineStart.Put(resultLine, day);
        const size_t textBegin = resultLine.size();
        AppendUnescapedRecordText(bytes, fifth + 1, end, resultLine);
        if (query.MatchesText(std::string_view(resultLine).substr(textBegin))) sink.SendLine(resultLine.c_str());
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
