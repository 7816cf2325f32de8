#include "repeat/RepeatForm.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
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

// What a date box may hold, piece by piece.
enum class DatePiece { kNumber, kReiwa, kHeisei, kFirstYear, kYear, kMonth, kDay, kSlash, kDash, kDot, kOther };

struct DateToken {
  DatePiece piece;
  std::string digits;  // of a kNumber, as ASCII
};

struct DateWord {
  const char* text;  // cp932
  DatePiece piece;
};

constexpr DateWord g_DateWords[] = {
    {"令和", DatePiece::kReiwa}, {"平成", DatePiece::kHeisei}, {"元", DatePiece::kFirstYear}, {"年", DatePiece::kYear},
    {"月", DatePiece::kMonth},   {"日", DatePiece::kDay},      {"/", DatePiece::kSlash},      {"／", DatePiece::kSlash},
    {"-", DatePiece::kDash},     {"－", DatePiece::kDash},     {".", DatePiece::kDot},        {"．", DatePiece::kDot},
};
constexpr const char* g_DateSpaces[] = {" ", "\t", "　"};

// The length of the word at text[at], or 0.
size_t WordAt(const std::string& text, size_t at, const char* word) {
  const size_t length = std::strlen(word);
  return text.compare(at, length, word) == 0 ? length : 0;
}

// The pieces of the text, spaces left out; the first that belongs to no date is the last, as kOther.
std::vector<DateToken> DateTokensOf(const std::string& text) {
  std::vector<DateToken> tokens;
  bool afterDigit = false;
  size_t at = 0;
  while (at < text.size()) {
    size_t width = 1;
    if (const char digit = DigitAt(text, at, width)) {
      if (!afterDigit) tokens.push_back({DatePiece::kNumber, ""});
      tokens.back().digits += digit;
      afterDigit = true;
      at += width;
      continue;
    }
    afterDigit = false;
    size_t length = 0;
    for (const char* space : g_DateSpaces) length = length != 0 ? length : WordAt(text, at, space);
    if (length != 0) {
      at += length;
      continue;
    }
    for (const DateWord& word : g_DateWords) {
      if ((length = WordAt(text, at, word.text)) == 0) continue;
      tokens.push_back({word.piece, ""});
      break;
    }
    if (length == 0) {
      tokens.push_back({DatePiece::kOther, ""});
      break;
    }
    at += length;
  }
  return tokens;
}

bool IsSeparator(DatePiece piece) {
  return piece == DatePiece::kSlash || piece == DatePiece::kDash || piece == DatePiece::kDot;
}

// An era: its first day (in the year 元年) and its last.
struct Era {
  DatePiece piece;
  CalendarDate first;
  CalendarDate last;
};
constexpr Era g_Eras[] = {
    {DatePiece::kHeisei, {1989, 1, 8}, {2019, 4, 30}},
    {DatePiece::kReiwa, {2019, 5, 1}, {kLastFormYear, 12, 31}},
};

constexpr char kDateForm[] = "終了日は 2027/06/14、2027年6月14日 または 令和9年6月14日 のように入れてください。";

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

bool ReadFormDate(const std::string& text, CalendarDate& date, std::string& problem) {
  problem = kDateForm;
  std::vector<DateToken> tokens = DateTokensOf(text);
  const Era* era = nullptr;
  for (const Era& known : g_Eras) era = !tokens.empty() && tokens.front().piece == known.piece ? &known : era;
  if (era != nullptr) tokens.erase(tokens.begin());
  // The year, the month and the day at 0, 2 and 4: 2027/6/14 or 2027年6月14日.
  if (tokens.size() < 5) return false;
  const DatePiece between = tokens[1].piece;
  const bool separated = era == nullptr && tokens.size() == 5 && IsSeparator(between) && tokens[3].piece == between;
  const bool named = tokens.size() == 6 && between == DatePiece::kYear && tokens[3].piece == DatePiece::kMonth &&
                     tokens[5].piece == DatePiece::kDay;
  const bool firstYear = era != nullptr && tokens[0].piece == DatePiece::kFirstYear;
  if (!(separated || named) || (!firstYear && tokens[0].piece != DatePiece::kNumber) ||
      tokens[2].piece != DatePiece::kNumber || tokens[4].piece != DatePiece::kNumber || tokens[2].digits.size() > 2 ||
      tokens[4].digits.size() > 2) {
    return false;
  }
  int year = 1;
  if (!firstYear) {
    const std::string& digits = tokens[0].digits;
    // 27/6/14 may mean 2027 or the year 27: a guess would be a line on days nobody asked for.
    if (era == nullptr && digits.size() != 4) {
      problem = "終了日の年は 2027 のように4桁で入れてください。";
      return false;
    }
    if (digits.size() > 4) return false;
    year = std::stoi(digits);
  }
  if (era != nullptr) year += era->first.year - 1;
  const int month = std::stoi(tokens[2].digits);
  const int day = std::stoi(tokens[4].digits);
  if (year > kLastFormYear) {
    problem = "終了日は9999年12月31日までの日で入れてください。";
    return false;
  }
  if (year < 1 || month < 1 || month > kMonthsInYear || day < 1 || day > DaysInMonth(year, month)) {
    problem = Printed("%d年%d月%d日という日はありません。", year, month, day);
    return false;
  }
  const CalendarDate read = {year, month, day};
  if (era != nullptr && (DayNumberOf(read) < DayNumberOf(era->first) || DayNumberOf(read) > DayNumberOf(era->last))) {
    problem = "平成は1989年1月8日から2019年4月30日まで、令和は2019年5月1日からです。";
    return false;
  }
  date = read;
  problem.clear();
  return true;
}

std::string FormDateText(const CalendarDate& date) {
  return Printed("%04d/%02d/%02d", date.year, date.month, date.day);
}

std::string JapaneseDateText(const CalendarDate& date) {
  return Printed("%d年%d月%d日(%s)", date.year, date.month, date.day,
                 g_WeekdayNames[WeekdayOf(date.year, date.month, date.day)]);
}

CRepeatForm::CRepeatForm(const CalendarDate& shown, std::string line) : m_shown(shown), m_line(std::move(line)) {
  m_weekdays = 1u << WeekdayOf(shown.year, shown.month, shown.day);
  // One year: the day before the same date a year on (28 February for 29
  // February), never past the last day a date box takes.
  const int lastDay = DayNumberOf(kLastFormYear, kMonthsInYear, 31);
  const int yearOn = shown.year < kLastFormYear ? DayNumberOf(shown.year + 1, shown.month, 1) + shown.day - 2 : lastDay;
  m_untilText = FormDateText(DateOfDayNumber(std::min(yearOn, lastDay)));
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
  std::string problem;
  if (!ReadFormDate(m_untilText, until, problem)) return problem;
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
    std::string problem;
    ReadFormDate(m_untilText, choices.until, problem);
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

std::string CRepeatForm::PreviewText(const RepeatDays& days, IBookMonths& months) const {
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
