#include "print/PrintChoice.h"

#include "calendar/CalendarFacts.h"
#include "data/Cp932Literals.h"

namespace {

bool Exists(const CalendarDate& date) {
  return date.year >= kMinYear && date.year <= kMaxYear && date.day >= 1 &&
         date.day <= DaysInMonth(date.year, date.month);
}

}  // namespace

PrintChoice DefaultPrintChoice(int year, int month) {
  PrintChoice choice;
  choice.from = {year, month, 1};
  choice.to = {year, month, DaysInMonth(year, month)};
  return choice;
}

void DiaryRange(const PrintChoice& choice, int shownYear, int shownMonth, CalendarDate& from, CalendarDate& to) {
  if (choice.wholeMonth) {
    from = {shownYear, shownMonth, 1};
    to = {shownYear, shownMonth, DaysInMonth(shownYear, shownMonth)};
  } else {
    from = choice.from;
    to = choice.to;
  }
}

std::string CheckPrintChoice(const PrintChoice& choice, int shownYear, int shownMonth) {
  if (choice.kind == PrintKind::kMonth) return "";
  CalendarDate from;
  CalendarDate to;
  DiaryRange(choice, shownYear, shownMonth, from, to);
  if (!Exists(from) || !Exists(to)) return "日付が正しくありません。";
  const int days = DayNumberOf(to) - DayNumberOf(from) + 1;
  if (days < 1) return "終わりの日付が始めの日付より前です。";
  if (days > kMostDiaryDays) return "一度に印刷できるのは10年までです。";
  return "";
}
