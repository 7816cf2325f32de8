#include "repeat/RepeatForm.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

#include "calendar/CalendarFacts.h"
#include "data/Cp932Literals.h"
#include "data/FieldCodec.h"
#include "repeat/RepeatReport.h"

namespace {

constexpr const char* g_WeekdayNames[] = {"日", "月", "火", "水", "木", "金", "土"};
constexpr int kMaxInterval = 99;
constexpr int kMaxCount = 9999;
constexpr int kLastFormYear = 9999;
constexpr unsigned char kFullWidthDigitLead = 0x82;
constexpr unsigned char kFullWidthZero = 0x4F;
constexpr unsigned char kFullWidthNine = 0x58;

bool IsSpace(char c) { return c == ' ' || c == '\t'; }

// The digit at text[at] (ASCII or full-width), or 0; width gets the bytes of the character there.
char DigitAt(const std::string& text, size_t at, size_t& width) {
  const auto c = static_cast<unsigned char>(text[at]);
  width = 1;
  if (c >= '0' && c <= '9') return static_cast<char>(c);
  if (!IsLeadByte(c) || at + 1 >= text.size()) return 0;
  width = 2;
  const auto trail = static_cast<unsigned char>(text[at + 1]);
  if (c != kFullWidthDigitLead || trail < kFullWidthZero || trail > kFullWidthNine) return 0;
  return static_cast<char>('0' + (trail - kFullWidthZero));
}

// The runs of digits of the text, in order, as ASCII; whatever stands between them separates them.
std::vector<std::string> NumbersOf(const std::string& text) {
  std::vector<std::string> numbers;
  bool inNumber = false;
  size_t width = 1;
  for (size_t at = 0; at < text.size(); at += width) {
    const char digit = DigitAt(text, at, width);
    if (digit != 0 && !inNumber) numbers.emplace_back();
    if (digit != 0) numbers.back() += digit;
    inNumber = digit != 0;
  }
  return numbers;
}

bool SmallNumber(const std::string& digits, int high, int& value) {
  if (digits.empty() || digits.size() > 6) return false;
  value = std::stoi(digits);
  return value <= high;
}

__attribute__((format(printf, 1, 2))) std::string Printed(const char* format, ...) {
  char text[160];
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(text, sizeof text, format, arguments);
  va_end(arguments);
  return text;
}

}  // namespace

bool ReadFormNumber(const std::string& text, int low, int high, int& value) {
  size_t first = 0;
  size_t end = text.size();
  while (first < end && IsSpace(text[first])) ++first;
  while (end > first && IsSpace(text[end - 1])) --end;
  std::string digits;
  size_t width = 1;
  for (size_t at = first; at < end; at += width) {
    const char digit = DigitAt(text, at, width);
    if (digit == 0) return false;
    digits += digit;
  }
  return SmallNumber(digits, high, value) && value >= low;
}

bool ReadFormDate(const std::string& text, CalendarDate& date) {
  const std::vector<std::string> numbers = NumbersOf(text);
  int parts[3] = {};
  if (numbers.size() != 3) return false;
  for (int i = 0; i < 3; ++i) {
    if (!SmallNumber(numbers[i], kLastFormYear, parts[i])) return false;
  }
  if (parts[0] < 1 || parts[1] < 1 || parts[1] > kMonthsInYear || parts[2] < 1 ||
      parts[2] > DaysInMonth(parts[0], parts[1])) {
    return false;
  }
  date = {parts[0], parts[1], parts[2]};
  return true;
}

std::string FormDateText(const CalendarDate& date) { return Printed("%d/%02d/%02d", date.year, date.month, date.day); }

std::string JapaneseDateText(const CalendarDate& date) {
  return Printed("%d年%d月%d日(%s)", date.year, date.month, date.day,
                 g_WeekdayNames[WeekdayOf(date.year, date.month, date.day)]);
}

CRepeatForm::CRepeatForm(const CalendarDate& shown, std::string line) : m_shown(shown), m_line(std::move(line)) {
  m_weekdays = 1u << WeekdayOf(shown.year, shown.month, shown.day);
  // One year: the day before the same date a year on (28 February for 29 February).
  m_untilText = FormDateText(DateOfDayNumber(DayNumberOf(shown.year + 1, shown.month, 1) + shown.day - 2));
}

std::string QuotedLine(const std::string& line) {
  std::string shown;
  for (char c : line) shown += (c == '\r' || c == '\n') ? ' ' : c;
  return "「" + shown + "」";
}

std::string CRepeatForm::LineLabel() const { return QuotedLine(m_line); }

std::string CRepeatForm::StartLabel() const { return JapaneseDateText(m_shown) + "から"; }

std::string CRepeatForm::OptionLabel(RepeatOption option) const {
  const char* weekday = g_WeekdayNames[WeekdayOf(m_shown.year, m_shown.month, m_shown.day)];
  switch (option) {
    case RepeatOption::kDaily:
      return "毎日";
    case RepeatOption::kWeekly:
      return "毎週";
    case RepeatOption::kMonthlyOnDate:
      return Printed("毎月 %d日", m_shown.day);
    case RepeatOption::kMonthlyOnWeekday:
      return Printed("毎月 第%d%s曜日", WeekdayOrdinalOf(m_shown), weekday);
    case RepeatOption::kMonthlyOnLastWeekday:
      return std::string("毎月 最終") + weekday + "曜日";
    case RepeatOption::kMonthEnd:
      return "毎月 月末";
    case RepeatOption::kYearly:
      return Printed("毎年 %d月%d日", m_shown.month, m_shown.day);
  }
  return "";
}

bool CRepeatForm::IsOffered(RepeatOption option) const {
  if (option != RepeatOption::kMonthlyOnLastWeekday) return true;
  return m_shown.day + kDaysInWeek > DaysInMonth(m_shown.year, m_shown.month);
}

std::string CRepeatForm::IntervalUnit() const {
  switch (m_option) {
    case RepeatOption::kDaily:
      return "日ごと";
    case RepeatOption::kWeekly:
      return "週ごと";
    case RepeatOption::kYearly:
      return "年ごと";
    default:
      return "か月ごと";
  }
}

std::string CRepeatForm::Problem() const {
  int interval = 0;
  if (!ReadFormNumber(m_intervalText, 1, kMaxInterval, interval)) return "間隔は1から99までの数で入れてください。";
  if (m_option == RepeatOption::kWeekly && (m_weekdays & 0x7F) == 0) return "曜日を一つ以上選んでください。";
  if (!IsOffered(m_option)) return "この日は月の最後の週にありません。";
  int count = 0;
  if (m_byCount) {
    if (!ReadFormNumber(m_countText, 1, kMaxCount, count)) return "回数は1から9999までの数で入れてください。";
    return "";
  }
  CalendarDate until;
  if (!ReadFormDate(m_untilText, until)) return "終了日は 2027/06/14 のように入れてください。";
  if (DayNumberOf(until) < DayNumberOf(m_shown)) return "終了日が開始日より前です。";
  return "";
}

bool CRepeatForm::Choices(RepeatChoices& choices) const {
  if (!Problem().empty()) return false;
  choices = RepeatChoices();
  static const RepeatKind kKinds[] = {RepeatKind::kDaily,
                                      RepeatKind::kWeekly,
                                      RepeatKind::kMonthlyOnDate,
                                      RepeatKind::kMonthlyOnWeekday,
                                      RepeatKind::kMonthlyOnWeekday,
                                      RepeatKind::kMonthEnd,
                                      RepeatKind::kYearly};
  choices.kind = kKinds[static_cast<int>(m_option)];
  choices.lastWeekday = m_option == RepeatOption::kMonthlyOnLastWeekday;
  ReadFormNumber(m_intervalText, 1, kMaxInterval, choices.interval);
  choices.weekdays = m_weekdays & 0x7F;
  choices.byCount = m_byCount;
  if (m_byCount) {
    ReadFormNumber(m_countText, 1, kMaxCount, choices.count);
  } else {
    ReadFormDate(m_untilText, choices.until);
  }
  choices.skipHolidays = m_skipHolidays;
  return true;
}

std::vector<int> CRepeatForm::DaysToWrite(const RepeatDays& days) const {
  std::vector<int> later;
  for (int day : days.days) {
    if (day > DayNumberOf(m_shown)) later.push_back(day);
  }
  return later;
}

std::string CRepeatForm::PreviewText(const RepeatDays& days, IRepeatMonths& months) const {
  if (days.days.empty()) return "繰り返す日がありません。";
  const bool withShown = days.days.front() == DayNumberOf(m_shown);
  const RepeatPreview preview = PreviewRepeatedLine(DaysToWrite(days), m_line, months);
  std::string text =
      Printed("繰り返す日: %d日%s", static_cast<int>(days.days.size()), withShown ? "（この日を含む）" : "");
  text += "\r\n最後の日: " + JapaneseDateText(DateOfDayNumber(days.days.back()));
  if (days.holidaysSkipped > 0) text += Printed("\r\n祝日の%d日は除きます。", days.holidaysSkipped);
  if (preview.alreadyThere > 0) text += Printed("\r\nもうこの行がある%d日はそのままです。", preview.alreadyThere);
  if (preview.intoMemo > 0) text += Printed("\r\n空き行のない%d日はメモに書きます。", preview.intoMemo);
  if (preview.noRoom > 0) text += Printed("\r\n空き行もメモの空きもない%d日には書けません。", preview.noRoom);
  if (days.cutAtLimit) text += Printed("\r\n%d年より先には繰り返しません。", kRepeatYears);
  if (!preview.unreadMonths.empty()) {
    text += "\r\n読み込めない月（" + MonthListText(preview.unreadMonths) +
            Printed("）の%d日には書けません。", preview.daysInUnreadMonths);
  }
  return text;
}
