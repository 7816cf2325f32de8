#include "repeat/RepeatReport.h"

#include <cstdio>

#include "data/Cp932Literals.h"
#include "repeat/RepeatForm.h"

namespace {

constexpr size_t kDaysNamed = 10;  // beyond that a count

std::string MonthText(const MonthOfBook& month) {
  return std::to_string(month.year) + "年" + std::to_string(month.month) + "月";
}

std::string MonthList(const std::vector<MonthOfBook>& months) {
  std::string text;
  for (const MonthOfBook& month : months) text += (text.empty() ? "" : "、") + MonthText(month);
  return text;
}

std::string Quoted(const std::string& line) {
  std::string shown;
  for (char c : line) shown += (c == '\r' || c == '\n') ? ' ' : c;
  return "「" + shown + "」";
}

}  // namespace

std::string RemovalQuestion(const std::string& line, const LineFound& found) {
  std::string text;
  if (!found.days.empty()) {
    text = Quoted(line) + "の行がある" + std::to_string(found.days.size()) + "日（" +
           JapaneseDateText(DateOfDayNumber(found.days.front())) + "～" +
           JapaneseDateText(DateOfDayNumber(found.days.back())) + "）からこの行を削除します。\n" +
           "この日とそれより前の日はそのままです。";
  }
  if (!found.unreadMonths.empty()) {
    text += (text.empty() ? "" : "\n") + MonthList(found.unreadMonths) + "のﾃﾞｰﾀﾌｧｲﾙは読み込めないため、そのままです。";
  }
  return text;
}

std::string RepeatOutcomeText(const RepeatOutcome& outcome, bool removal) {
  std::string text;
  for (const RepeatMonthResult& month : outcome.months) {
    if (month.outcome == MonthOutcome::kUnread) {
      text += MonthText(month.month) + "のﾃﾞｰﾀﾌｧｲﾙは読み込めないため、そのままです。\n";
    } else if (month.outcome == MonthOutcome::kUnwritten) {
      text += MonthText(month.month) + "のﾃﾞｰﾀﾌｧｲﾙは書き込めなかったため、そのままです。\n";
    } else if (!month.keptCopy.empty()) {
      text += MonthText(month.month) + "はほかの場所で同じ時に変更され、収まらなかった内容を次の場所に残しました。\n" +
              month.keptCopy + "\n";
    }
  }
  const std::vector<int> noRoom = outcome.NoRoomDays();
  if (!removal && !noRoom.empty()) {
    std::string days;
    for (size_t i = 0; i < noRoom.size() && i < kDaysNamed; ++i) {
      days += (days.empty() ? "" : "、") + JapaneseDateText(DateOfDayNumber(noRoom[i]));
    }
    if (noRoom.size() > kDaysNamed) days += "ほか" + std::to_string(noRoom.size() - kDaysNamed) + "日";
    text += "空き行もメモの空きもないため書けなかった日: " + days + "\n";
  }
  if (!text.empty()) {
    text = std::string(removal ? "行の削除" : "繰り返し") + "は" + std::to_string(outcome.ChangedDays()) +
           "日に済みました。\n" + text + "もう一度行うと、残りの日にだけ" + (removal ? "削除" : "書き込み") +
           "します。";
  }
  return text;
}
