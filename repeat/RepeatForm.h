#pragma once
// What the repeat dialog shows and holds: the line, the day shown, the
// choices as the controls give them (cp932 texts), what is wrong with
// them, and the preview of what a repeat would do. The dialog shows it.
#include <string>
#include <vector>

#include "book/BookMonths.h"
#include "calendar/DayNumber.h"
#include "repeat/RepeatRule.h"
#include "repeat/RepeatWrite.h"

// The dialog's repeat options, in the order of its radio buttons.
enum class RepeatOption {
  kDaily,
  kWeekly,
  kMonthlyOnDate,
  kMonthlyOnWeekday,
  kMonthlyOnLastWeekday,
  kMonthEnd,
  kYearly,
};
constexpr int kRepeatOptions = 7;

class CRepeatForm {
 public:
  // line: the cp932 text of the line box.
  CRepeatForm(const CalendarDate& shown, std::string line);

  const CalendarDate& Shown() const { return m_shown; }
  const std::string& Line() const { return m_line; }

  // 「10:00 会議」, its line breaks shown as spaces.
  std::string LineLabel() const;
  // 2010年3月5日(金)から
  std::string StartLabel() const;
  // 毎日, 毎週, 毎月 5日, 毎月 第1金曜日, 毎月 最終金曜日, 毎月 月末, 毎年 3月5日
  std::string OptionLabel(RepeatOption option) const;
  // The last weekday only from a day in the last week of its month.
  bool IsOffered(RepeatOption option) const;
  // 日ごと, 週ごと, か月ごと, 年ごと
  std::string IntervalUnit() const;

  // "" when the choices make a repeat; else what to put right, in a sentence.
  std::string Problem() const;
  // False, with Problem() to say why, when they do not.
  bool Choices(RepeatChoices& choices) const;
  // The days the line goes to: those of the rule but the day shown, which has it.
  std::vector<int> DaysToWrite(const RepeatDays& days) const;
  // What would be done, a line for each fact, counted in months: the day
  // shown holds the line already and is not told of as such.
  std::string PreviewText(const RepeatDays& days, IBookMonths& months) const;

  RepeatOption m_option = RepeatOption::kWeekly;
  unsigned m_weekdays;  // bit 0 Sunday .. bit 6 Saturday
  std::string m_intervalText = "1";
  bool m_byCount = false;
  std::string m_untilText;  // a year on, the day before the same date; 9999/12/31 at the latest
  std::string m_countText = "10";
  bool m_skipHolidays = false;

 private:
  CalendarDate m_shown;
  std::string m_line;
};

// A whole number of the form, ASCII or full-width digits, spaces around it
// allowed; false outside low..high.
bool ReadFormNumber(const std::string& text, int low, int high, int& value);
// 2027/6/14, 2027-06-14, 2027.6.14, 2027年6月14日, 令和9年6月14日 (令和元年,
// 平成 too), full-width digits and separators too, spaces between the
// pieces. False, with what to put right in a sentence, for anything else.
bool ReadFormDate(const std::string& text, CalendarDate& date, std::string& problem);
// 「10:00 会議」, its line breaks shown as spaces.
std::string QuotedLine(const std::string& line);
// 2027/06/14
std::string FormDateText(const CalendarDate& date);
// 2027年6月14日(月)
std::string JapaneseDateText(const CalendarDate& date);
