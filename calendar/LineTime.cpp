#include "calendar/LineTime.h"

#include <algorithm>

namespace {

constexpr std::string_view g_RangeMarks[] = {"-", "~", u8"～", u8"〜"};
// The wave dashes: with nothing after them a start alone ("11時～"), before a time when it is due ("～17時").
constexpr std::string_view g_OpenRangeMarks[] = {"~", u8"～", u8"〜"};
constexpr std::string_view g_FromWords[] = {u8"から", u8"より"};
constexpr std::string_view g_UntilWords[] = {u8"までに", u8"まで"};
constexpr std::string_view g_Spaces[] = {" ", "\t", u8"　"};
constexpr std::string_view g_Colons[] = {":", u8"："};
constexpr std::string_view g_OpenBrackets[] = {"(", u8"（", u8"【"};
constexpr std::string_view g_CloseBrackets[] = {")", u8"）", u8"】"};
// After 時 these make it no time of day: "10時間" (ten hours), "3時限" (a lesson).
constexpr std::string_view g_NoTimeAfterHour[] = {u8"間", u8"限"};
constexpr std::string_view kHourMark = u8"時";
constexpr std::string_view kMinuteMark = u8"分";
constexpr std::string_view kHalfHourMark = u8"半";
constexpr std::string_view kNoonWord = u8"正午";
constexpr int kNoonMinute = 12 * 60;
constexpr int kLastStartMinute = kMinutesPerDay - 1;
// U+FF10..U+FF19, full-width digits: EF BC 90..99.
constexpr unsigned char kWideDigitLead[] = {0xEF, 0xBC};
constexpr unsigned char kWideZero = 0x90;

// The parts of the day that a word before the hour names.
enum class DayPart {
  kForenoon,   // 午前
  kAfternoon,  // 午後
  kMorning,    // 朝, 今朝
  kMidday,     // 昼, お昼
  kEvening,    // 夕方, 夜, 今夜, 晩, 今晩
  kNight,      // 深夜
  kAnteMeridiem,
  kPostMeridiem,
};

struct DayWord {
  std::string_view text;
  DayPart part;
};

constexpr DayWord g_DayWords[] = {
    {u8"午前", DayPart::kForenoon},     {u8"午後", DayPart::kAfternoon},    {u8"朝", DayPart::kMorning},
    {u8"今朝", DayPart::kMorning},      {u8"昼", DayPart::kMidday},         {u8"お昼", DayPart::kMidday},
    {u8"夕方", DayPart::kEvening},      {u8"夜", DayPart::kEvening},        {u8"今夜", DayPart::kEvening},
    {u8"晩", DayPart::kEvening},        {u8"今晩", DayPart::kEvening},      {u8"深夜", DayPart::kNight},
    {"AM", DayPart::kAnteMeridiem},     {"am", DayPart::kAnteMeridiem},     {"Am", DayPart::kAnteMeridiem},
    {"A.M.", DayPart::kAnteMeridiem},   {"a.m.", DayPart::kAnteMeridiem},   {u8"ＡＭ", DayPart::kAnteMeridiem},
    {u8"ａｍ", DayPart::kAnteMeridiem}, {"PM", DayPart::kPostMeridiem},     {"pm", DayPart::kPostMeridiem},
    {"Pm", DayPart::kPostMeridiem},     {"P.M.", DayPart::kPostMeridiem},   {"p.m.", DayPart::kPostMeridiem},
    {u8"ＰＭ", DayPart::kPostMeridiem}, {u8"ｐｍ", DayPart::kPostMeridiem},
};

bool IsMeridiem(DayPart part) { return part == DayPart::kAnteMeridiem || part == DayPart::kPostMeridiem; }

// The hour of the day that hour, written after a word of part, stands for; -1: none.
int HourOfDay(DayPart part, int hour) {
  switch (part) {
    case DayPart::kForenoon:  // 午前12時 is noon and 午後12時 midnight, as the law counts them.
      return hour <= 12 ? hour : -1;
    case DayPart::kAfternoon:
      return hour <= 12 ? hour + 12 : -1;
    case DayPart::kMorning:
      return hour <= 11 ? hour : -1;
    case DayPart::kMidday:
      if (hour >= 1 && hour <= 5) return hour + 12;
      return hour >= 12 && hour <= 17 ? hour : -1;
    case DayPart::kEvening:
      if (hour >= 1 && hour <= 11) return hour + 12;
      return hour >= 13 && hour <= 23 ? hour : -1;
    case DayPart::kNight:
      if (hour <= 4 || hour == 23) return hour;
      return hour == 11 ? 23 : hour == 12 ? 0 : -1;
    case DayPart::kAnteMeridiem:
      return hour <= 11 ? hour : hour == 12 ? 0 : -1;
    case DayPart::kPostMeridiem:  // "15:00PM" as written
      return hour <= 11 ? hour + 12 : hour <= 23 ? hour : -1;
  }
  return -1;
}

enum class TimeForm {
  kHalfWidthClock,  // "10:00": ASCII digits and colon, no word before or after them
  kOther,
};

struct TimeOfDay {
  int minute = 0;
  int hour = 0;  // as written
  TimeForm form = TimeForm::kOther;
  bool dayHalf = false;               // a word said which half of the day it is
  DayPart part = DayPart::kForenoon;  // that word's, when dayHalf
  bool clock = false;                 // H:MM
  bool halfWidthDigits = false;       // a clock in ASCII digits and colon, no word before it
  bool bare = false;                  // the hour alone: only the start of a range ("10～11時")
  // Digits, colon, 時, 分, 半, 午前 and 午後 alone: a form the reader has always read.
  bool classic = false;
};

bool HasAt(std::string_view text, size_t at, std::string_view mark) {
  return at <= text.size() && text.size() - at >= mark.size() && text.substr(at, mark.size()) == mark;
}

// The length of the one of marks that text has at at, or 0.
template <size_t kCount>
size_t MarkAt(std::string_view text, size_t at, const std::string_view (&marks)[kCount]) {
  for (std::string_view mark : marks) {
    if (HasAt(text, at, mark)) return mark.size();
  }
  return 0;
}

size_t SkipSpaces(std::string_view text, size_t at) {
  while (size_t space = MarkAt(text, at, g_Spaces)) at += space;
  return at;
}

// A word of the time of day at text[at]: its length, or 0. afterDigits: only AM and PM.
size_t DayWordAt(std::string_view text, size_t at, bool afterDigits, DayPart& part) {
  for (const DayWord& word : g_DayWords) {
    if ((!afterDigits || IsMeridiem(word.part)) && HasAt(text, at, word.text)) {
      part = word.part;
      return word.text.size();
    }
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

// Exactly two digits, the minutes of a clock or of "19時45"; at moves past them.
bool ReadTwoDigits(std::string_view text, size_t& at, int& minutes, bool& wide) {
  int tens = 0;
  int ones = 0;
  const size_t first = DigitAt(text, at, tens, wide);
  const size_t second = first != 0 ? DigitAt(text, at + first, ones, wide) : 0;
  if (second == 0) return false;
  minutes = tens * 10 + ones;
  at += first + second;
  return true;
}

// After H時: 半, M分, MM or nothing; at moves past what there is. spaced: the
// hour was written apart from 時 ("2 時 30 分"), and so may its minutes be.
// False for MM without 分 ("19時45").
bool ReadMinutesAfterHour(std::string_view text, size_t& at, bool spaced, int& minutes) {
  const size_t from = spaced ? SkipSpaces(text, at) : at;
  if (HasAt(text, from, kHalfHourMark)) {
    minutes = 30;
    at = from + kHalfHourMark.size();
    return true;
  }
  size_t after = from;
  bool wide = false;
  if (ReadNumber(text, after, minutes, wide)) {
    const size_t mark = spaced ? SkipSpaces(text, after) : after;
    if (HasAt(text, mark, kMinuteMark)) {
      at = mark + kMinuteMark.size();
      return true;
    }
  }
  after = at;
  if (!ReadTwoDigits(text, after, minutes, wide)) {
    minutes = 0;
    return true;
  }
  at = after;
  return false;
}

// A time of day at text[at], up to lastMinute; at moves past it.
// meridiemAfter: AM or PM may follow the digits.
bool ReadTimeOfDay(std::string_view text, size_t& at, int lastMinute, bool meridiemAfter, TimeOfDay& time) {
  TimeOfDay read;
  size_t next = at;
  if (HasAt(text, next, kNoonWord)) {
    read.minute = kNoonMinute;
    read.hour = 12;
    read.dayHalf = true;
    time = read;
    at = next + kNoonWord.size();
    return true;
  }
  const size_t wordLength = DayWordAt(text, next, false, read.part);
  if (wordLength != 0) next = SkipSpaces(text, next + wordLength);
  bool wide = false;
  if (!ReadNumber(text, next, read.hour, wide)) return false;
  const size_t afterNumber = next;
  next = SkipSpaces(text, next);
  const bool spaced = next != afterNumber;
  int minutes = 0;
  bool classic = !spaced;
  if (size_t colon = spaced ? 0 : MarkAt(text, next, g_Colons)) {
    wide = wide || colon > 1;
    next += colon;
    if (!ReadTwoDigits(text, next, minutes, wide)) return false;
    read.clock = true;
  } else if (HasAt(text, next, kHourMark)) {
    next += kHourMark.size();
    if (MarkAt(text, next, g_NoTimeAfterHour) != 0) return false;
    classic = ReadMinutesAfterHour(text, next, spaced, minutes) && classic;
  } else if (spaced) {
    return false;
  } else {
    read.bare = true;
  }
  size_t meridiem = 0;
  if (meridiemAfter && wordLength == 0 && (read.clock || read.bare)) {
    meridiem = DayWordAt(text, next, true, read.part);
    next += meridiem;
    read.bare = read.bare && meridiem == 0;
  }
  read.dayHalf = wordLength != 0 || meridiem != 0;
  if (minutes > 59) return false;
  const int hour = read.dayHalf ? HourOfDay(read.part, read.hour) : read.hour;
  if (hour < 0) return false;
  read.minute = hour * 60 + minutes;
  if (read.minute > lastMinute) return false;
  read.halfWidthDigits = read.clock && !wide && wordLength == 0;
  read.classic = classic && !read.bare && meridiem == 0 &&
                 (wordLength == 0 || read.part == DayPart::kForenoon || read.part == DayPart::kAfternoon);
  read.form = read.halfWidthDigits && meridiem == 0 ? TimeForm::kHalfWidthClock : TimeForm::kOther;
  time = read;
  at = next;
  return true;
}

bool IsAsciiLetterOrDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Whether what comes at at ends a time of that form at the start of a line.
bool EndsTime(std::string_view text, size_t at, TimeForm form) {
  if (at == text.size() || text[at] == '\n' || MarkAt(text, at, g_Spaces) > 0) return true;
  // "10:00会議" as always; "10:00x" and "12:30:15" are no times of this kind.
  if (form == TimeForm::kHalfWidthClock) return static_cast<unsigned char>(text[at]) >= 0x80;
  int digit = 0;
  bool wide = false;
  return DigitAt(text, at, digit, wide) == 0 && MarkAt(text, at, g_Colons) == 0 && !IsAsciiLetterOrDigit(text[at]);
}

// "9時～5時" and "午後3時～4時" end in the afternoon, as people mean them;
// "22時～1時" the next day. Half-width clocks and ends with a word of the
// day are read as written.
int EndAsMeant(const TimeOfDay& start, const TimeOfDay& end) {
  constexpr int kHalfDay = 12 * 60;
  const bool clocks = start.form == TimeForm::kHalfWidthClock && end.form == TimeForm::kHalfWidthClock;
  if (clocks || end.dayHalf || end.minute >= kHalfDay || end.minute >= start.minute ||
      end.minute + kHalfDay <= start.minute) {
    return end.minute;
  }
  return end.minute + kHalfDay;
}

// "1-3pm", "10:00-11:00am": a start without a word takes the end's AM or PM
// where that keeps it before the end.
void TakeMeridiemOfEnd(TimeOfDay& start, const TimeOfDay& end) {
  if (start.dayHalf || !end.dayHalf || !IsMeridiem(end.part) || !(start.bare || start.clock)) return;
  const int hour = HourOfDay(end.part, start.hour);
  const int minute = hour * 60 + start.minute % 60;
  if (hour >= 0 && minute <= end.minute) start.minute = minute;
}

// Whether what a time read ends at closes it where it is read: (next, form of
// what was read last, whether a range word closed it).
using Closes = bool (*)(std::string_view text, size_t next, TimeForm form, bool byWord);

bool ClosesAtStart(std::string_view text, size_t next, TimeForm form, bool byWord) {
  return byWord || EndsTime(text, next, form);
}

bool ClosesAtEnd(std::string_view text, size_t next, TimeForm, bool) { return next == text.size(); }

class CTimeSpanReader {
 public:
  CTimeSpanReader(std::string_view text, Closes closes) : m_text(text), m_closes(closes) {}

  // A time at at and what closes it; next: past what was read.
  // halfWidthRange: a half-width clock ranges by a mark only to another, as
  // lines that began with one have always been read.
  bool Read(size_t at, bool halfWidthRange, LineTime& time, size_t& next) {
    m_meridiemAfter = true;
    if (ReadSpan(at, halfWidthRange, time, next)) return true;
    // "9:58ｐｍ12", "15:14ＡＭ": the letters are text, as they always were.
    m_meridiemAfter = false;
    time = LineTime();
    return ReadSpan(at, halfWidthRange, time, next);
  }

 private:
  bool ReadSpan(size_t at, bool halfWidthRange, LineTime& time, size_t& next) {
    if (size_t mark = MarkAt(m_text, at, g_OpenRangeMarks)) return ReadDue(at + mark, time, next);
    TimeOfDay start;
    size_t end = at;
    if (!ReadTimeOfDay(m_text, end, kLastStartMinute, m_meridiemAfter, start)) return false;
    if (size_t mark = MarkAt(m_text, end, g_RangeMarks)) {
      size_t after = end + mark;
      TimeOfDay ranged = start;
      TimeOfDay finish;
      if (ReadEnd(after, ranged, finish) &&
          (!halfWidthRange || start.form != TimeForm::kHalfWidthClock || finish.halfWidthDigits)) {
        const bool until = Until(after);
        if (m_closes(m_text, after, finish.form, until)) return Ranged(ranged, finish, time, after, next);
        // An end of a form always read leaves the line untimed, as "10:00-11:00x" always has.
        if (finish.classic) return false;
      }
      // "11時～", "11時～ 会議"; "10時～ 11時" is a range.
      const size_t open = end + mark;
      if (MarkAt(m_text, end, g_OpenRangeMarks) != 0 && NothingAfter(open)) {
        return FromOrRange(start, open, SkipSpaces(m_text, open), time, next);
      }
    } else if (size_t word = MarkAt(m_text, end, g_FromWords)) {
      return FromOrRange(start, end + word, SkipSpaces(m_text, end + word), time, next);
    } else if (size_t word = start.bare ? 0 : MarkAt(m_text, end, g_UntilWords)) {
      time.startMinute = start.minute;
      time.dueBy = true;
      next = end + word;
      return m_closes(m_text, next, start.form, true);
    }
    if (start.bare || !m_closes(m_text, end, start.form, false)) return false;
    time.startMinute = start.minute;
    next = end;
    return true;
  }

  // After a wave dash: the time it is due.
  bool ReadDue(size_t at, LineTime& time, size_t& next) {
    TimeOfDay due;
    if (!ReadTimeOfDay(m_text, at, kLastStartMinute, m_meridiemAfter, due) || due.bare) return false;
    const bool until = Until(at);
    if (!m_closes(m_text, at, due.form, until)) return false;
    time.startMinute = due.minute;
    time.dueBy = true;
    next = at;
    return true;
  }

  // The end of a range at at; at moves past it.
  bool ReadEnd(size_t& at, TimeOfDay& start, TimeOfDay& finish) {
    size_t end = at;
    if (!ReadTimeOfDay(m_text, end, kMinutesPerDay, m_meridiemAfter, finish) || finish.bare) return false;
    // "10～11時", "1-3pm"; "10-11:30" is not read.
    if (start.bare && finish.clock && !finish.dayHalf) return false;
    TakeMeridiemOfEnd(start, finish);
    at = end;
    return true;
  }

  // まで after an end: passed over.
  bool Until(size_t& at) const {
    const size_t word = MarkAt(m_text, at, g_UntilWords);
    at += word;
    return word != 0;
  }

  bool NothingAfter(size_t at) const {
    return at == m_text.size() || m_text[at] == '\n' || MarkAt(m_text, at, g_Spaces) != 0;
  }

  // After から, より or an open wave dash at wordEnd: the end of a range at
  // endAt, or else the start alone.
  bool FromOrRange(const TimeOfDay& start, size_t wordEnd, size_t endAt, LineTime& time, size_t& next) {
    TimeOfDay ranged = start;
    TimeOfDay finish;
    size_t after = endAt;
    if (ReadEnd(after, ranged, finish)) {
      const bool until = Until(after);
      if (m_closes(m_text, after, finish.form, until)) return Ranged(ranged, finish, time, after, next);
    }
    if (start.bare || !m_closes(m_text, wordEnd, start.form, true)) return false;
    time.startMinute = start.minute;
    next = wordEnd;
    return true;
  }

  static bool Ranged(const TimeOfDay& start, const TimeOfDay& finish, LineTime& time, size_t after, size_t& next) {
    time.startMinute = start.minute;
    time.hasEnd = true;
    time.endMinute = EndAsMeant(start, finish);
    next = after;
    return true;
  }

  std::string_view m_text;
  Closes m_closes;
  bool m_meridiemAfter = true;
};

bool ReadLeadingTime(std::string_view entry, LineTime& time) {
  size_t next = 0;
  if (!CTimeSpanReader(entry, ClosesAtStart).Read(0, true, time, next)) return false;
  time.titleStart = SkipSpaces(entry, next);
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

// The first line without the spaces it ends with.
std::string_view FirstLine(std::string_view entry) {
  return entry.substr(0, WithoutTrailingSpaces(entry, std::min(entry.find('\n'), entry.size())));
}

// Whether the whole of text from at is a time or range; time gets it.
bool IsTimeToTheEnd(std::string_view text, size_t at, LineTime& time) {
  size_t next = 0;
  return CTimeSpanReader(text, ClosesAtEnd).Read(at, false, time, next);
}

// A time or range that ends the first line, after its text and a space.
bool ReadTrailingTime(std::string_view entry, LineTime& time) {
  const std::string_view line = FirstLine(entry);
  for (size_t at = 0; at < line.size(); ++at) {
    const size_t start = SkipSpaces(line, at);
    if (start == at) continue;
    const size_t titleLength = WithoutTrailingSpaces(line, at);
    LineTime found;
    if (titleLength > 0 && start < line.size() && IsTimeToTheEnd(line, start, found)) {
      found.titleLength = titleLength;
      time = found;
      return true;
    }
    at = start - 1;
  }
  return false;
}

// A time or range in brackets that begin the line: "(10:00) 会議", "【14時～】打合せ".
bool ReadBracketedStart(std::string_view entry, LineTime& time) {
  const size_t inside = MarkAt(entry, 0, g_OpenBrackets);
  if (inside == 0) return false;
  const std::string_view line = FirstLine(entry);
  size_t close = std::string_view::npos;
  size_t after = 0;
  for (std::string_view mark : g_CloseBrackets) {
    const size_t found = line.find(mark, inside);
    if (found < close) {
      close = found;
      after = found + mark.size();
    }
  }
  if (close == std::string_view::npos) return false;
  const std::string_view content = line.substr(0, WithoutTrailingSpaces(line, close));
  LineTime found;
  if (!IsTimeToTheEnd(content, SkipSpaces(content, inside), found)) return false;
  found.titleStart = SkipSpaces(entry, after);
  time = found;
  return true;
}

// A time or range in brackets that end the first line, after its text.
bool ReadBracketedEnd(std::string_view entry, LineTime& time) {
  const std::string_view line = FirstLine(entry);
  size_t close = std::string_view::npos;
  for (std::string_view mark : g_CloseBrackets) {
    if (line.size() >= mark.size() && HasAt(line, line.size() - mark.size(), mark)) close = line.size() - mark.size();
  }
  if (close == std::string_view::npos) return false;
  size_t open = std::string_view::npos;
  size_t inside = 0;
  for (std::string_view mark : g_OpenBrackets) {
    const size_t found = close >= mark.size() ? line.rfind(mark, close - mark.size()) : std::string_view::npos;
    if (found != std::string_view::npos && (open == std::string_view::npos || found > open)) {
      open = found;
      inside = found + mark.size();
    }
  }
  if (open == std::string_view::npos) return false;
  const size_t titleLength = WithoutTrailingSpaces(line, open);
  const std::string_view content = line.substr(0, WithoutTrailingSpaces(line, close));
  LineTime found;
  if (titleLength == 0 || !IsTimeToTheEnd(content, SkipSpaces(content, inside), found)) return false;
  found.titleLength = titleLength;
  time = found;
  return true;
}

}  // namespace

bool ReadLineTime(std::string_view entry, LineTime& time) {
  time = LineTime();
  if (ReadLeadingTime(entry, time)) return true;
  time = LineTime();
  if (ReadBracketedStart(entry, time)) return true;
  time = LineTime();
  if (ReadBracketedEnd(entry, time)) return true;
  time = LineTime();
  return ReadTrailingTime(entry, time);
}
