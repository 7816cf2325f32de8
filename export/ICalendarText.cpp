#include "export/ICalendarText.h"

namespace {

constexpr size_t kMaxLineOctets = 75;

bool IsUtf8Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

std::string EscapeText(std::string_view utf8) {
  std::string escaped;
  escaped.reserve(utf8.size());
  for (char c : utf8) {
    switch (c) {
      case '\\':
        escaped += "\\\\";
        break;
      case ';':
        escaped += "\\;";
        break;
      case ',':
        escaped += "\\,";
        break;
      case '\n':
        escaped += "\\n";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

void AppendContentLine(std::string& out, std::string_view name, std::string_view value) {
  size_t lineStart = out.size();
  out.append(name).append(1, ':').append(value);
  if (out.size() - lineStart <= kMaxLineOctets) {
    out.append("\r\n");
    return;
  }
  std::string line = out.substr(lineStart);
  out.resize(lineStart);
  size_t start = 0;
  size_t room = kMaxLineOctets;
  while (line.size() - start > room) {
    size_t cut = start + room;
    while (cut > start && IsUtf8Continuation(line[cut])) --cut;
    out.append(line, start, cut - start).append("\r\n ");
    start = cut;
    room = kMaxLineOctets - 1;  // the leading space of a continuation counts
  }
  out.append(line, start, std::string::npos).append("\r\n");
}
