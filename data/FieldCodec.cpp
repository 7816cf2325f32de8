#include "data/FieldCodec.h"

namespace {

constexpr char kEscape = '\\';
constexpr char kComma = ',';

bool NeedsEscape(char c) { return c == kEscape || c == kComma; }

}  // namespace

size_t EscapeField(const char* text, char* out, size_t outSize) {
  if (outSize == 0) return 0;
  size_t written = 0;
  for (size_t i = 0; text[i] != '\0';) {
    if (IsLeadByte(static_cast<unsigned char>(text[i]))) {
      if (text[i + 1] == '\0') break;  // its comma would become the trail byte
      if (written + 2 > outSize - 1) break;
      out[written++] = text[i];
      out[written++] = text[i + 1];
      i += 2;
      continue;
    }
    size_t width = NeedsEscape(text[i]) ? 2 : 1;
    if (written + width > outSize - 1) break;
    if (width == 2) out[written++] = kEscape;
    out[written++] = text[i++];
  }
  out[written] = '\0';
  return written;
}

size_t UnescapeField(char* text, size_t limit) {
  size_t read = 0;
  size_t written = 0;
  while (read < limit && text[read] != '\0') {
    if (text[read] == kEscape) {
      ++read;  // the escape goes; the byte after it stays, whatever it is
      if (read >= limit || text[read] == '\0') break;
    }
    bool lead = IsLeadByte(static_cast<unsigned char>(text[read]));
    text[written++] = text[read++];
    if (lead && read < limit && text[read] != '\0') text[written++] = text[read++];
  }
  text[written] = '\0';
  return written;
}

int FindSeparator(const char* text, int length, char sep) {
  int i = 0;
  while (i < length) {
    char c = text[i];
    if (IsLeadByte(static_cast<unsigned char>(c))) {
      i += 2;
    } else if (c == kEscape) {
      bool pairs = i + 1 < length && (text[i + 1] == kEscape || text[i + 1] == sep);
      i += pairs ? 2 : 1;
    } else if (c == sep) {
      return i;
    } else {
      ++i;
    }
  }
  return -1;
}
