#include "cp932/Utf8FromCp932.h"

#include "cp932/Cp932Table.h"

namespace {

constexpr unsigned kReplacement = 0xFFFD;

int LeadIndex(unsigned char lead) { return lead <= 0x9F ? lead - 0x81 : lead - 0xE0 + (0xA0 - 0x81); }

// -1 for a byte that cannot follow a lead byte.
int TrailIndex(unsigned char trail) {
  if (trail >= 0x40 && trail <= 0x7E) return trail - 0x40;
  if (trail >= 0x80 && trail <= 0xFC) return trail - 0x80 + (0x7F - 0x40);
  return -1;
}

}  // namespace

void AppendUtf8(std::string& out, unsigned codePoint) {
  if (codePoint < 0x80) {
    out += static_cast<char>(codePoint);
  } else if (codePoint < 0x800) {
    out += static_cast<char>(0xC0 | (codePoint >> 6));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (codePoint >> 12));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
}

size_t AppendUtf8FromCp932(std::string& out, std::string_view cp932) {
  size_t replaced = 0;
  size_t i = 0;
  while (i < cp932.size()) {
    unsigned char byte = static_cast<unsigned char>(cp932[i]);
    uint16_t single = g_Cp932SingleByte[byte];
    if (single != kCp932Lead) {
      AppendUtf8(out, single);
      replaced += single == kCp932Invalid;
      ++i;
      continue;
    }
    unsigned char next = i + 1 < cp932.size() ? static_cast<unsigned char>(cp932[i + 1]) : 0;
    int trail = i + 1 < cp932.size() ? TrailIndex(next) : -1;
    uint16_t pair = trail < 0 ? 0 : g_Cp932DoubleByte[LeadIndex(byte)][trail];
    if (pair != 0) {
      AppendUtf8(out, pair);
      i += 2;
      continue;
    }
    AppendUtf8(out, kReplacement);
    ++replaced;
    // An ASCII byte is read again on its own, so a broken pair never eats a comma or a letter.
    i += trail >= 0 && next >= 0x80 ? 2 : 1;
  }
  return replaced;
}
