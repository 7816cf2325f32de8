#include "repeat/RepeatReport.h"

#include <cstdio>

#include "data/Cp932Literals.h"
#include "repeat/RepeatForm.h"

namespace {

constexpr size_t kNamed = 10;  // days or months; beyond that a count

std::string MonthText(const MonthOfBook& month) {
  return std::to_string(month.year) + "年" + std::to_string(month.month) + "月";
}

std::vector<MonthOfBook> MonthsWith(const RepeatOutcome& outcome, MonthOutcome wanted) {
  std::vector<MonthOfBook> months;
  for (const RepeatMonthResult& month : outcome.months) {
    if (month.outcome == wanted) months.push_back(month.month);
  }
  return months;
}

}  // namespace

std::string MonthListText(const std::vector<MonthOfBook>& months) {
  std::string text;
  for (size_t i = 0; i < months.size() && i < kNamed; ++i) text += (text.empty() ? "" : "、") + MonthText(months[i]);
  if (months.size() > kNamed) text += "ほか" + std::to_string(months.size() - kNamed) + "か月";
  return text;
}

std::string RemovalQuestion(const std::string& line, const LineFound& found) {
  std::string text;
  if (!found.days.empty()) {
    text = QuotedLine(line) + "の行がある" + std::to_string(found.days.size()) + "日（" +
           JapaneseDateText(DateOfDayNumber(found.days.front())) + "～" +
           JapaneseDateText(DateOfDayNumber(found.days.back())) + "）からこの行を削除します。\n" +
           "この日とそれより前の日はそのままです。";
  }
  if (!found.unreadMonths.empty()) {
    text += (text.empty() ? "" : "\n") + std::string("ﾃﾞｰﾀﾌｧｲﾙを読み込めないため、そのままの月: ") +
            MonthListText(found.unreadMonths);
  }
  return text;
}

std::string RepeatOutcomeText(const RepeatOutcome& outcome, bool removal) {
  std::string text;
  const std::vector<MonthOfBook> unread = MonthsWith(outcome, MonthOutcome::kUnread);
  const std::vector<MonthOfBook> unwritten = MonthsWith(outcome, MonthOutcome::kUnwritten);
  if (!unread.empty()) text += "ﾃﾞｰﾀﾌｧｲﾙを読み込めないため、そのままの月: " + MonthListText(unread) + "\n";
  if (!unwritten.empty()) text += "ﾃﾞｰﾀﾌｧｲﾙに書き込めなかったため、そのままの月: " + MonthListText(unwritten) + "\n";
  const std::vector<MonthOfBook> notReached = MonthsWith(outcome, MonthOutcome::kNotReached);
  if (!notReached.empty()) text += "ウィンドウを閉じて止めたため、そのままの月: " + MonthListText(notReached) + "\n";
  for (const RepeatMonthResult& month : outcome.months) {
    if (month.outcome != MonthOutcome::kWritten || month.keptCopy.empty()) continue;
    text += MonthText(month.month) + "はほかの場所で同じ時に変更され、収まらなかった内容を次の場所に残しました。\n" +
            month.keptCopy + "\n";
  }
  const std::vector<int> noRoom = outcome.NoRoomDays();
  if (!removal && !noRoom.empty()) {
    std::string days;
    for (size_t i = 0; i < noRoom.size() && i < kNamed; ++i) {
      days += (days.empty() ? "" : "、") + JapaneseDateText(DateOfDayNumber(noRoom[i]));
    }
    if (noRoom.size() > kNamed) days += "ほか" + std::to_string(noRoom.size() - kNamed) + "日";
    text += "空き行もメモの空きもないため書けなかった日: " + days + "\n";
  }
  if (!text.empty()) {
    text = std::string(removal ? "行の削除" : "繰り返し") + "は" + std::to_string(outcome.ChangedDays()) +
           "日に済みました。\n" + text + "もう一度行うと、残りの日にだけ" + (removal ? "削除" : "書き込み") +
           "します。";
  }
  return text;
}
