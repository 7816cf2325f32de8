// The codec over any bytes: escaping then unescaping gives the text back,
// an escaped text has no separator, FindSeparator stays inside its length,
// and the resumable scanner agrees with it wherever the text is split.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "data/FieldCodec.h"
#include "data/FieldScanner.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

// The text the escape keeps: all of it but a lead byte dangling at its end.
std::string WithoutDanglingLead(const std::string& text) {
  size_t i = 0;
  while (i < text.size()) {
    size_t width = IsLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
    if (i + width > text.size()) return text.substr(0, i);
    i += width;
  }
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const char* bytes = reinterpret_cast<const char*>(data);
  if (size > 0x7FFFFFFF) return 0;

  std::string text(bytes, strnlen(bytes, size));
  std::vector<char> escaped(2 * text.size() + 1);
  size_t length = EscapeField(text.c_str(), escaped.data(), escaped.size());
  Check(length < escaped.size() && escaped[length] == '\0');
  Check(FindSeparator(escaped.data(), static_cast<int>(length), ',') == -1);
  UnescapeField(escaped.data(), length);
  Check(std::string(escaped.data()) == WithoutDanglingLead(text));

  std::vector<char> exact(bytes, bytes + size);
  int found = FindSeparator(exact.data(), static_cast<int>(size), ',');
  Check(found == -1 || (found >= 0 && static_cast<size_t>(found) < size && exact[found] == ','));

  size_t split = size > 0 ? data[0] % (size + 1) : 0;
  CFieldScanner scanner(',');
  size_t first = scanner.Scan(exact.data(), split);
  int streamed = -1;
  if (first < split) {
    streamed = static_cast<int>(first);
  } else {
    size_t second = scanner.Scan(exact.data() + split, size - split);
    if (second < size - split) streamed = static_cast<int>(split + second);
  }
  Check(streamed == found);

  std::vector<char> unescaped(bytes, bytes + size);
  unescaped.push_back('\0');
  size_t limit = size > 1 ? data[size - 1] % size : size;
  Check(UnescapeField(unescaped.data(), limit) <= limit);
  return 0;
}
