// What the repeat dialog holds and shows: the texts its boxes take, what is
// wrong with its choices, the choices the day shown offers, and its preview.
#include <gtest/gtest.h>

#include <string>

#include "calendar/DayNumber.h"
#include "data/Cp932Literals.h"
#include "repeat/RepeatForm.h"

namespace {

// Months in memory; every day but the ones filled is free.
class CMemoryMonths : public IBookMonths {
 public:
  bool ListMonths(std::vector<YearMonth>&) override { return true; }
  MonthRead ReadMonth(int year, int month, MonthTable& table) override {
    table = m_table;
    return year == 2026 && month == 7 ? MonthRead::kFailed : MonthRead::kRead;
  }
  MonthChange ChangeMonth(int, int, const std::function<bool(MonthTable&)>&) override { return MonthChange(); }
  MonthTable m_table = {};
};

TEST(RepeatFormTest, DatesAndNumbersAsTheBoxesTakeThem) {
  // What each date box reads as, or a part of what it says is wrong.
  const struct {
    const char* text;
    bool taken;
    const char* read;
  } dates[] = {{"2027/6/14", true, "2027/06/14"},
               {"2027-06-14", true, "2027/06/14"},
               {"２０２７年６月１４日", true, "2027/06/14"},
               {" 2028/2/29 ", true, "2028/02/29"},
               {"令和9年6月14日", true, "2027/06/14"},
               {"令和元年5月1日", true, "2019/05/01"},
               {"平成31年4月30日", true, "2019/04/30"},
               {"平成31年5月1日", false, "令和は2019年5月1日から"},
               {"27/6/14", false, "4桁で"},
               {"2027/2/29", false, "2027年2月29日という日はありません"},
               {"x2027y6z14", false, "2027/06/14、2027年6月14日 または"},
               {"2027/6/14/", false, "のように"},
               {"-2027/-6/-14", false, "のように"},
               {"2027/6-14", false, "のように"},
               {"", false, "のように"}};
  for (const auto& c : dates) {
    CalendarDate date = {};
    std::string problem;
    EXPECT_EQ(c.taken, ReadFormDate(c.text, date, problem)) << c.text;
    const std::string said = c.taken ? FormDateText(date) : problem;
    EXPECT_NE(std::string::npos, said.find(c.read)) << c.text << ": " << said;
  }
  // A number from 1 to 99, -1 for none.
  const std::pair<const char*, int> numbers[] = {{"1", 1},   {" 12 ", 12}, {"１２", 12}, {"0", -1},
                                                 {"1a", -1}, {"1 2", -1},  {"100", -1},  {"", -1}};
  for (const auto& [text, read] : numbers) {
    int value = -1;
    EXPECT_EQ(read, ReadFormNumber(text, 1, 99, value) ? value : -1) << text;
  }
}

TEST(RepeatFormTest, WhatIsWrongWithTheChoicesIsSaidAndNoRuleIsMade) {
  const CalendarDate tuesday = {2026, 6, 9};
  const struct {
    const char* name;
    std::function<void(CRepeatForm&)> change;
    bool ready;
  } cases[] = {
      {"as it opens", [](CRepeatForm&) {}, true},
      {"no weekday", [](CRepeatForm& f) { f.m_weekdays = 0; }, false},
      {"no weekday, but monthly",
       [](CRepeatForm& f) {
         f.m_weekdays = 0;
         f.m_option = RepeatOption::kMonthEnd;
       },
       true},
      {"interval 0", [](CRepeatForm& f) { f.m_intervalText = "0"; }, false},
      {"until before the day shown", [](CRepeatForm& f) { f.m_untilText = "2026/6/8"; }, false},
      {"until the day shown", [](CRepeatForm& f) { f.m_untilText = "2026/6/9"; }, true},
      {"a count, the date left wrong",
       [](CRepeatForm& f) {
         f.m_untilText = "?";
         f.m_byCount = true;
       },
       true},
      {"a count of none",
       [](CRepeatForm& f) {
         f.m_byCount = true;
         f.m_countText = "0";
       },
       false},
      {"the last Tuesday from the second", [](CRepeatForm& f) { f.m_option = RepeatOption::kMonthlyOnLastWeekday; },
       false},
  };
  for (const auto& c : cases) {
    CRepeatForm form(tuesday, "会議");
    c.change(form);
    RepeatChoices choices;
    EXPECT_EQ(c.ready, form.Choices(choices)) << c.name;
    EXPECT_EQ(c.ready, form.Problem().empty()) << c.name << ": " << form.Problem();
  }
}

TEST(RepeatFormTest, ChoicesFollowTheDayShown) {
  CRepeatForm second({2026, 6, 9}, "10:00 会議\r\n3階");
  EXPECT_EQ("毎月 第2火曜日", second.OptionLabel(RepeatOption::kMonthlyOnWeekday));
  EXPECT_FALSE(second.IsOffered(RepeatOption::kMonthlyOnLastWeekday));
  EXPECT_EQ("2027/06/08", second.m_untilText);
  RepeatChoices choices;
  ASSERT_TRUE(second.Choices(choices));
  EXPECT_EQ(RepeatKind::kWeekly, choices.kind);
  EXPECT_EQ(1u << 2, choices.weekdays);

  CRepeatForm last({2026, 6, 30}, "締め");
  EXPECT_TRUE(last.IsOffered(RepeatOption::kMonthlyOnLastWeekday));
  last.m_option = RepeatOption::kMonthlyOnLastWeekday;
  last.m_intervalText = "２";
  ASSERT_TRUE(last.Choices(choices));
  EXPECT_EQ(RepeatKind::kMonthlyOnWeekday, choices.kind);
  EXPECT_TRUE(choices.lastWeekday);
  EXPECT_EQ(2, choices.interval);
  EXPECT_EQ("2029/02/28", CRepeatForm({2028, 2, 29}, "x").m_untilText) << "a year on from 29 February";
  CRepeatForm lastYear({9999, 6, 14}, "x");
  EXPECT_EQ("9999/12/31", lastYear.m_untilText) << "the last day a date box takes";
  EXPECT_TRUE(lastYear.Choices(choices));
}

TEST(RepeatFormTest, ThePreviewCountsTheDaysAfterTheOneShown) {
  CMemoryMonths months;
  for (int line = 0; line < kLineCount; ++line) SetDayLine(months.m_table.Day(22), line, "busy");
  SetDayLine(months.m_table.Day(29), 2, "会議");
  CRepeatForm form({2026, 6, 15}, "会議");
  form.m_untilText = "2026/7/6";
  RepeatChoices choices;
  ASSERT_TRUE(form.Choices(choices));
  const RepeatDays days = DaysOfRepeat(choices, form.Shown(), nullptr);
  EXPECT_EQ(std::vector<int>({DayNumberOf(2026, 6, 22), DayNumberOf(2026, 6, 29), DayNumberOf(2026, 7, 6)}),
            form.DaysToWrite(days));
  const std::string preview = form.PreviewText(days, months);
  for (const char* told : {"繰り返す日: 4日（この日を含む）", "最後の日: 2026年7月6日(月)", "もうこの行がある1日",
                           "空き行のない1日はメモに書きます", "読み込めない月（2026年7月）の1日には書けません"}) {
    EXPECT_NE(std::string::npos, preview.find(told)) << told << " in " << preview;
  }
}

}  // namespace
