#include "search/RawRecords.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "data/FieldCodec.h"
#include "search/RecordAssembler.h"

namespace {

using Word = uintptr_t;
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "the first byte of a word is its lowest");

constexpr Word kEveryByte = ~Word{0} / 0xFF;
constexpr Word kHighBits = kEveryByte * 0x80;
constexpr size_t kNone = std::string_view::npos;

// Bit 7 of each byte of the result is set where the byte of word equals b;
// every other bit is clear.
Word BytesEqual(Word word, unsigned char b) {
  const Word low7 = kEveryByte * 0x7F;
  const Word zeroWhereEqual = word ^ (kEveryByte * b);
  return ~(((zeroWhereEqual & low7) + low7) | zeroWhereEqual | low7);
}

// How many bytes are marked.
size_t MarkCount(Word marks) { return static_cast<size_t>(((marks >> 7) * kEveryByte) >> (8 * (sizeof(Word) - 1))); }

size_t LowestMarkedByte(Word marks) {
  if constexpr (sizeof(Word) > sizeof(unsigned int)) return static_cast<size_t>(__builtin_ctzll(marks)) / 8;
  return static_cast<size_t>(__builtin_ctz(static_cast<unsigned int>(marks))) / 8;
}

// Whether the byte at `at` is the second of a two-byte character. After any
// byte that cannot lead a pair the walk through a record is in step, and
// from there the lead bytes pair off.
bool IsTrailByte(const unsigned char* bytes, size_t begin, size_t at) {
  size_t from = at;
  while (from > begin && IsLeadByte(bytes[from - 1])) --from;
  return (at - from) % 2 == 1;
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

}  // namespace

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

size_t NthSeparator(const char* text, size_t from, int n) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text);
  for (size_t at = from;; ++at) {
    if (bytes[at] == ',' && IsSeparatorAt(bytes, at) && --n == 0) return at;
  }
}

size_t RecordEnd(const char* text, size_t size, size_t from) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text);
  size_t count = 0;
  size_t last = kNone;  // the 11th separator
  size_t i = from;
  // Separators are counted over the bytes at large rather than line by line:
  // what decides a comma lies before it on its own line.
  for (; i + sizeof(Word) <= size; i += sizeof(Word)) {
    Word word;
    Word before;
    std::memcpy(&word, bytes + i, sizeof word);
    std::memcpy(&before, bytes + i - 1, sizeof before);
    Word commas = BytesEqual(word, ',');
    if (commas == 0) continue;
    // A comma after a byte below 0x80 other than a backslash separates
    // whatever came before it: such commas are only counted.
    if ((commas & ((before & kHighBits) | BytesEqual(before, '\\'))) == 0) {
      const size_t marked = MarkCount(commas);
      if (count + marked < kCommasPerRecord) {
        count += marked;
        continue;
      }
      for (size_t passed = count + 1; passed < kCommasPerRecord; ++passed) commas &= commas - 1;
      last = i + LowestMarkedByte(commas);
      break;
    }
    for (; commas != 0; commas &= commas - 1) {
      const size_t at = i + LowestMarkedByte(commas);
      if (IsSeparatorAt(bytes, at) && ++count == kCommasPerRecord) {
        last = at;
        break;
      }
    }
    if (last != kNone) break;
  }
  for (; i < size && last == kNone; ++i) {
    if (bytes[i] == ',' && IsSeparatorAt(bytes, i) && ++count == kCommasPerRecord) last = i;
  }
  if (last == kNone) return kNone;
  const void* lineFeed = std::memchr(text + last, '\n', size - last);
  return lineFeed != nullptr ? static_cast<size_t>(static_cast<const char*>(lineFeed) - text) + 1 : size;
}
