#include "cp932/Cp932FromUtf8.h"

#include <array>
#include <cstdint>

#include "cp932/Cp932Table.h"

namespace {

constexpr int kFirstLeads = 0xA0 - 0x81;  // lead bytes 0x81..0x9F, then 0xE0..0xFC

int LeadByte(int leadIndex) { return leadIndex < kFirstLeads ? 0x81 + leadIndex : 0xE0 + leadIndex - kFirstLeads; }

int TrailByte(int trailIndex) {
  return trailIndex < 0x7F - 0x40 ? 0x40 + trailIndex : 0x80 + trailIndex - (0x7F - 0x40);
}

// Where cp932 holds a character twice, iconv writes the lowest code, save
// that the NEC-selected IBM rows (leads 0xED, 0xEE) give way to the IBM rows.
bool IsNecSelectedLead(int lead) { return lead == 0xED || lead == 0xEE; }

using ReverseTable = std::array<uint16_t, 0x10000>;  // 0: none, except for U+0000

ReverseTable MakeReverseTable() {
  ReverseTable table{};
  for (int b = 0; b < 0x100; ++b) {
    uint16_t codePoint = g_Cp932SingleByte[b];
    if (codePoint != kCp932Lead && codePoint != kCp932Invalid && table[codePoint] == 0) {
      table[codePoint] = static_cast<uint16_t>(b);
    }
  }
  for (bool necSelected : {false, true}) {
    for (int lead = 0; lead < kCp932LeadCount; ++lead) {
      if (IsNecSelectedLead(LeadByte(lead)) != necSelected) continue;
      for (int trail = 0; trail < kCp932TrailCount; ++trail) {
        uint16_t codePoint = g_Cp932DoubleByte[lead][trail];
        if (codePoint != 0 && table[codePoint] == 0) {
          table[codePoint] = static_cast<uint16_t>(LeadByte(lead) << 8 | TrailByte(trail));
        }
      }
    }
  }
  for (const Cp932OneWay& oneWay : g_Cp932OneWay) table[oneWay.codePoint] = oneWay.bytes;
  return table;
}

const ReverseTable& Reverse() {
  static const ReverseTable table = MakeReverseTable();
  return table;
}

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

}  // namespace

long NextUtf8CodePoint(std::string_view text, size_t& at) {
  unsigned char first = static_cast<unsigned char>(text[at]);
  ++at;
  if (first < 0x80) return first;
  int length = first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : first >= 0xC2 ? 2 : 0;
  if (length == 0 || first > 0xF4) return -1;
  long codePoint = first & (0x3F >> (length - 1));
  size_t end = at + length - 1;
  if (end > text.size()) return -1;
  for (size_t i = at; i < end; ++i) {
    if (!IsContinuation(static_cast<unsigned char>(text[i]))) return -1;
    codePoint = codePoint << 6 | (static_cast<unsigned char>(text[i]) & 0x3F);
  }
  // Overlong forms, surrogates and code points beyond Unicode are no UTF-8.
  static const long kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (codePoint < kSmallest[length] || (codePoint >= 0xD800 && codePoint <= 0xDFFF) || codePoint > 0x10FFFF) {
    return -1;
  }
  at = end;
  return codePoint;
}

size_t AppendCp932FromUtf8(std::string& out, std::string_view utf8) {
  const ReverseTable& reverse = Reverse();
  size_t substituted = 0;
  size_t at = 0;
  while (at < utf8.size()) {
    long codePoint = NextUtf8CodePoint(utf8, at);
    uint16_t bytes = codePoint >= 0 && codePoint < 0x10000 ? reverse[static_cast<size_t>(codePoint)] : 0;
    if (bytes == 0 && codePoint != 0) {
      out += kCp932Substitute;
      ++substituted;
    } else if (bytes > 0xFF) {
      out += static_cast<char>(bytes >> 8);
      out += static_cast<char>(bytes & 0xFF);
    } else {
      out += static_cast<char>(bytes);
    }
  }
  return substituted;
}
