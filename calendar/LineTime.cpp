#include "calendar/LineTime.h"

#include <algorithm>

namespace {

constexpr std::string_view g_RangeMarks[] = {"-", "~", u8"～", u8"〜"};
constexpr std::string_view g_Spaces[] = {" ", "\t", u8"　"};
constexpr std::string_view g_Colons[] = {":", u8"："};
constexpr std::string_view g_DayHalves[] = {u8"午前", u8"午後"};
// After 時 these make it no time of day: "10時間" (ten hours), "3時限" (a lesson).
constexpr std::string_view g_NoTimeAfterHour[] = {u8"間", u8"限"};
constexpr std::string_view kHourMark = u8"時";
constexpr std::string_view kMinuteMark = u8"分";
constexpr std::string_view kHalfHourMark = u8"半";
constexpr size_t kAfternoon = 1;  // in g_DayHalves
constexpr int kHoursInHalfDay = 12;
constexpr int kLastStartMinute = kMinutesPerDay - 1;
// U+FF10..U+FF19, full-width digits: EF BC 90..99.
constexpr unsigned char kWideDigitLead[] = {0xEF, 0xBC};
constexpr unsigned char kWideZero = 0x90;

enum class TimeForm {
  kHalfWidthClock,  // "10:00": ASCII digits and colon, nothing before them
  kOther,
};

struct TimeOfDay {
  int minute = 0;
  TimeForm form = TimeForm::kOther;
  bool dayHalf = false;  // 午前 or 午後 was written
};

bool HasAt(std::string_view text, size_t at, std::string_view mark) {
  return at <= text.size() && text.size() - at >= mark.size() && text.substr(at, mark.size()) == mark;
}

// The length of the one of marks that text has at at, or 0; which: its index.
template <size_t kCount>
size_t MarkAt(std::string_view text, size_t at, const std::string_view (&marks)[kCount], size_t* which = nullptr) {
  for (size_t i = 0; i < kCount; ++i) {
    if (!HasAt(text, at, marks[i])) continue;
    if (which != nullptr) *which = i;
    return marks[i].size();
  }
  return 0;
}

// A half- or full-width digit at text[at]: its length in bytes, or 0.
size_t DigitAt(std::string_view text, size_t at, int& value, bool& wide) {
  if (at < text.size() && text[at] >= '0' && text[at] <= '9') {
    value = text[at] - '0';
    return 1;
  }
  if (at + 3 > text.size() || static_cast<unsigned char>(text[at]) != kWideDigitLead[0] ||
      static_cast<unsigned char>(text[at + 1]) != kWideDigitLead[1]) {
    return 0;
  }
  const int digit = static_cast<unsigned char>(text[at + 2]) - kWideZero;
  if (digit < 0 || digit > 9) return 0;
  value = digit;
  wide = true;
  return 3;
}

// One or two digits; at moves past them.
bool ReadNumber(std::string_view text, size_t& at, int& number, bool& wide) {
  int digit = 0;
  size_t length = DigitAt(text, at, digit, wide);
  if (length == 0) return false;
  number = digit;
  at += length;
  if ((length = DigitAt(text, at, digit, wide)) != 0) {
    number = number * 10 + digit;
    at += length;
  }
  return true;
}

// The minutes after H: of a clock, two digits; at moves past them.
bool ReadClockMinutes(std::string_view text, size_t& at, int& minutes, bool& wide) {
  int tens = 0;
  int ones = 0;
  const size_t first = DigitAt(text, at, tens, wide);
  const size_t second = first != 0 ? DigitAt(text, at + first, ones, wide) : 0;
  if (second == 0) return false;
  minutes = tens * 10 + ones;
  at += first + second;
  return true;
}

// After H時: 半, M分 or nothing; at moves past what there is.
void ReadMinutesAfterHour(std::string_view text, size_t& at, int& minutes) {
  if (HasAt(text, at, kHalfHourMark)) {
    minutes = 30;
    at += kHalfHourMark.size();
    return;
  }
  size_t after = at;
  bool wide = false;
  if (ReadNumber(text, after, minutes, wide) && HasAt(text, after, kMinuteMark)) {
    at = after + kMinuteMark.size();
  } else {
    minutes = 0;
  }
}

// A time of day at text[at], up to lastMinute; at moves past it.
bool ReadTimeOfDay(std::string_view text, size_t& at, int lastMinute, TimeOfDay& time) {
  size_t read = at;
  size_t half = 0;
  const size_t halfLength = MarkAt(text, read, g_DayHalves, &half);
  if (halfLength != 0) {
    read += halfLength;
    while (size_t space = MarkAt(text, read, g_Spaces)) read += space;
  }
  bool wide = false;
  int hour = 0;
  if (!ReadNumber(text, read, hour, wide)) return false;
  int minutes = 0;
  bool clock = false;
  if (size_t colon = MarkAt(text, read, g_Colons)) {
    wide = wide || colon > 1;
    read += colon;
    if (!ReadClockMinutes(text, read, minutes, wide)) return false;
    clock = true;
  } else if (HasAt(text, read, kHourMark)) {
    read += kHourMark.size();
    if (MarkAt(text, read, g_NoTimeAfterHour) != 0) return false;
    ReadMinutesAfterHour(text, read, minutes);
  } else {
    return false;
  }
  if (minutes > 59) return false;
  // 午前12時 is noon and 午後12時 midnight, as the law counts them.
  if (halfLength != 0) {
    if (hour > kHoursInHalfDay) return false;
    if (half == kAfternoon) hour += kHoursInHalfDay;
  }
  const int minute = hour * 60 + minutes;
  if (minute > lastMinute) return false;
  time.minute = minute;
  time.form = clock && !wide && halfLength == 0 ? TimeForm::kHalfWidthClock : TimeForm::kOther;
  time.dayHalf = halfLength != 0;
  at = read;
  return true;
}

bool IsAsciiLetterOrDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Whether what comes at at ends a time of that form at the start of a line.
bool EndsTime(std::string_view text, size_t at, TimeForm form) {
  if (at == text.size() || text[at] == '\n' || MarkAt(text, at, g_Spaces) > 0) return true;
  // "10:00会議" as always; "10:00am" and "12:30:15" are no times of this kind.
  if (form == TimeForm::kHalfWidthClock) return static_cast<unsigned char>(text[at]) >= 0x80;
  int digit = 0;
  bool wide = false;
  return DigitAt(text, at, digit, wide) == 0 && MarkAt(text, at, g_Colons) == 0 && !IsAsciiLetterOrDigit(text[at]);
}

// "9時～5時" and "午後3時～4時" end in the afternoon, as people mean them;
// "22時～1時" the next day. Half-width clocks are read as written.
int EndAsMeant(const TimeOfDay& start, const TimeOfDay& end) {
  constexpr int kHalfDay = kHoursInHalfDay * 60;
  const bool clocks = start.form == TimeForm::kHalfWidthClock && end.form == TimeForm::kHalfWidthClock;
  if (clocks || end.dayHalf || end.minute >= kHalfDay || end.minute >= start.minute ||
      end.minute + kHalfDay <= start.minute) {
    return end.minute;
  }
  return end.minute + kHalfDay;
}

// A time and, when a range mark and another time follow, its end; at moves
// past what was read. halfWidthRange: a half-width clock ranges only to
// another, as lines that began with one have always been read.
bool ReadTimeRange(std::string_view text, size_t& at, bool halfWidthRange, LineTime& time, TimeForm& lastForm) {
  TimeOfDay start;
  if (!ReadTimeOfDay(text, at, kLastStartMinute, start)) return false;
  time.startMinute = start.minute;
  lastForm = start.form;
  if (size_t mark = MarkAt(text, at, g_RangeMarks)) {
    size_t end = at + mark;
    TimeOfDay finish;
    if (ReadTimeOfDay(text, end, kMinutesPerDay, finish) &&
        (!halfWidthRange || start.form != TimeForm::kHalfWidthClock || finish.form == TimeForm::kHalfWidthClock)) {
      time.hasEnd = true;
      time.endMinute = EndAsMeant(start, finish);
      lastForm = finish.form;
      at = end;
    }
  }
  return true;
}

bool ReadLeadingTime(std::string_view entry, LineTime& time) {
  size_t at = 0;
  TimeForm last = TimeForm::kOther;
  if (!ReadTimeRange(entry, at, true, time, last) || !EndsTime(entry, at, last)) return false;
  while (size_t space = MarkAt(entry, at, g_Spaces)) at += space;
  time.titleStart = at;
  return true;
}

// Where the spaces that text ends with begin.
size_t WithoutTrailingSpaces(std::string_view text, size_t end) {
  for (bool trimmed = true; trimmed && end > 0;) {
    trimmed = false;
    for (std::string_view space : g_Spaces) {
      if (end >= space.size() && text.substr(end - space.size(), space.size()) == space) {
        end -= space.size();
        trimmed = true;
        break;
      }
    }
  }
  return end;
}

// A time or range that ends the first line, after its text and a space.
bool ReadTrailingTime(std::string_view entry, LineTime& time) {
  const size_t end = WithoutTrailingSpaces(entry, std::min(entry.find('\n'), entry.size()));
  const std::string_view line = entry.substr(0, end);
  for (size_t at = 0; at < end; ++at) {
    size_t start = at;
    while (size_t space = MarkAt(line, start, g_Spaces)) start += space;
    if (start == at) continue;
    const size_t titleLength = WithoutTrailingSpaces(line, at);
    LineTime found;
    size_t read = start;
    TimeForm last = TimeForm::kOther;
    if (titleLength > 0 && start < end && ReadTimeRange(line, read, false, found, last) && read == end) {
      found.titleStart = 0;
      found.titleLength = titleLength;
      time = found;
      return true;
    }
    at = start - 1;
  }
  return false;
}

}  // namespace

bool ReadLineTime(std::string_view entry, LineTime& time) {
  time = LineTime();
  if (ReadLeadingTime(entry, time)) return true;
  time = LineTime();
  return ReadTrailingTime(entry, time);
}
