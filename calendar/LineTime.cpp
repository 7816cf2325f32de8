#include "calendar/LineTime.h"

namespace {

constexpr std::string_view g_RangeMarks[] = {"-", "~", u8"～", u8"〜"};
constexpr std::string_view g_Spaces[] = {" ", "\t", u8"　"};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// H:MM or HH:MM at text[at], up to maxHour:00; at moves past it.
bool ReadClock(std::string_view text, size_t& at, int maxHour, int& minute) {
  size_t digits = 0;
  while (digits < 2 && at + digits < text.size() && IsDigit(text[at + digits])) ++digits;
  size_t colon = at + digits;
  if (digits == 0 || colon + 2 >= text.size() || text[colon] != ':' || !IsDigit(text[colon + 1]) ||
      !IsDigit(text[colon + 2])) {
    return false;
  }
  int hour = text[at] - '0';
  if (digits == 2) hour = hour * 10 + (text[at + 1] - '0');
  int minutes = (text[colon + 1] - '0') * 10 + (text[colon + 2] - '0');
  if (hour > maxHour || minutes > 59 || (hour == 24 && minutes != 0)) return false;
  minute = hour * 60 + minutes;
  at = colon + 3;
  return true;
}

// The length of the one of marks that text has at at, or 0.
template <size_t kCount>
size_t MarkAt(std::string_view text, size_t at, const std::string_view (&marks)[kCount]) {
  for (std::string_view mark : marks) {
    if (text.substr(at, mark.size()) == mark) return mark.size();
  }
  return 0;
}

}  // namespace

bool ReadLineTime(std::string_view entry, LineTime& time) {
  time = LineTime();
  size_t at = 0;
  if (!ReadClock(entry, at, 23, time.startMinute)) return false;
  if (size_t mark = MarkAt(entry, at, g_RangeMarks)) {
    size_t end = at + mark;
    if (ReadClock(entry, end, 24, time.endMinute)) {
      time.hasEnd = true;
      at = end;
    }
  }
  bool followed = at == entry.size() || entry[at] == '\n' || MarkAt(entry, at, g_Spaces) > 0 ||
                  static_cast<unsigned char>(entry[at]) >= 0x80;
  if (!followed) return false;
  while (size_t space = MarkAt(entry, at, g_Spaces)) at += space;
  time.titleStart = at;
  return true;
}
