#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "host/core/CalendarAnswers.h"
#include "ui/core/DayAccessibleName.h"
#include "ui/core/GridDays.h"

namespace {

// 127 bytes: as much as a line holds, ending in a two-byte character.
std::string FullLine(char mark) { return std::string(125, mark) + "会"; }

struct NameCase {
  const char* name;
  DayRecord record;
  DayNameFacts facts;
  std::string expected;
};

DayRecord Day(std::initializer_list<const char*> lines, std::initializer_list<SealCode> seals = {},
              const char* memo = "") {
  DayRecord record = {};
  int line = 0;
  for (const char* text : lines) std::strncpy(record.szLine[line++], text, kLineSize - 1);
  int slot = 0;
  for (SealCode code : seals) record.nSeal[slot++] = code;
  std::strncpy(record.szMemo, memo, kMemoSize - 1);
  return record;
}

DayNameFacts On(int month, int day, int weekday, const char* holiday = nullptr, bool today = false,
                bool unreadable = false) {
  DayNameFacts facts;
  facts.month = month;
  facts.day = day;
  facts.weekday = weekday;
  facts.holiday = holiday;
  facts.today = today;
  facts.unreadable = unreadable;
  return facts;
}

TEST(DayAccessibleNameTest, SaysWhatTheCellShows) {
  const std::string full[5] = {FullLine('a'), FullLine('b'), FullLine('c'), FullLine('d'), FullLine('e')};
  const NameCase cases[] = {
      {"an empty day", Day({}), On(12, 9, 3), "12月9日 水曜日"},
      {"a holiday", Day({}), On(11, 3, 2, "文化の日"), "11月3日 火曜日 文化の日"},
      {"lines in order, empty ones left out", Day({"10:00 会議", "", "歯医者"}), On(12, 9, 3),
       "12月9日 水曜日 予定 10:00 会議、歯医者"},
      {"four seals, in slot order", Day({}, {18, 38, 47, 10}), On(12, 9, 3),
       "12月9日 水曜日 シール 打ち合わせ、会議、レストランディナー、電話、病院"},
      {"no seal and codes without a seal are not said", Day({}, {0, 20, 37, 4}), On(12, 9, 3),
       "12月9日 水曜日 シール スポーツ"},
      {"five lines of 127 bytes, whole",
       Day({full[0].c_str(), full[1].c_str(), full[2].c_str(), full[3].c_str(), full[4].c_str()}), On(1, 31, 1),
       "1月31日 月曜日 予定 " + full[0] + "、" + full[1] + "、" + full[2] + "、" + full[3] + "、" + full[4]},
      {"an entry of several text lines is one", Day({"会議\r\n資料を持参\r\n"}), On(12, 9, 3),
       "12月9日 水曜日 予定 会議 資料を持参"},
      {"everything, memo last", Day({"10:00 会議"}, {18}, "メモ"), On(12, 9, 3, nullptr, true),
       "12月9日 水曜日 今日 予定 10:00 会議 シール 打ち合わせ、会議 メモあり"},
      {"a month that could not be read says so, not empty", Day({}), On(5, 3, 1, "憲法記念日", false, true),
       "5月3日 月曜日 憲法記念日 この月は読み込めませんでした"},
  };
  for (const NameCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(DayAccessibleName(c.record, c.facts), c.expected);
  }
}

TEST(DayAccessibleNameTest, AFieldWithoutItsZeroIsReadToItsEndOnly) {
  DayRecord record = {};
  std::memset(record.szLine[0], 'x', kLineSize);
  std::memset(record.szLine[1], 'y', kLineSize);
  const std::string name = DayAccessibleName(record, On(4, 1, 4));
  EXPECT_EQ(name, "4月1日 木曜日 予定 " + std::string(kLineSize - 1, 'x') + "、" + std::string(kLineSize - 1, 'y'));
}

struct FactsCase {
  int year, month, day;
  MonthFileState state;
  const char* expected;
};

// The facts are of March 2010: another month's 21st is no holiday, its 5th no today.
TEST(DayAccessibleNameTest, FactsOfADayOfTheView) {
  MonthFacts facts;
  facts.year = 2010;
  facts.month = 3;
  facts.holidays[21] = "春分の日";
  facts.todayYear = 2010;
  facts.todayMonth = 3;
  facts.todayDay = 5;
  const FactsCase cases[] = {
      {2010, 3, 5, MonthFileState::kRead, "3月5日 金曜日 今日"},
      {2010, 3, 21, MonthFileState::kRead, "3月21日 日曜日 春分の日"},
      {2010, 4, 21, MonthFileState::kRead, "4月21日 水曜日"},
      {2010, 4, 5, MonthFileState::kWritten, "4月5日 月曜日"},
      {2011, 3, 5, MonthFileState::kRead, "3月5日 土曜日"},
      {2010, 3, 1, MonthFileState::kUnreadable, "3月1日 月曜日 この月は読み込めませんでした"},
  };
  for (const FactsCase& c : cases) {
    MonthView view;
    view.year = c.year;
    view.month = c.month;
    view.fileState = c.state;
    ASSERT_TRUE(FillMonthGrid(view.dayGrid, c.year, c.month));
    EXPECT_EQ(DayAccessibleName(DayRecord{}, FactsOfDay(view, facts, c.day)), c.expected);
  }
}

// The reader's navigation walks every day of a month; here the grids it never meets.
TEST(GridDaysTest, AHostGridBeyondTheTableAndAnEmptyOne) {
  MonthGrid grid;
  ASSERT_TRUE(FillMonthGrid(grid, 2011, 1));  // the 31st in the sixth row
  grid.cells[41] = 200;                       // a number the table has no day for
  EXPECT_EQ(LastGridDay(grid), 31);
  EXPECT_EQ(DayWithinMonth(grid, 31, 1), 0);
  EXPECT_FALSE(CellOfDay(grid, 0).has_value());
  ASSERT_TRUE(CellOfDay(grid, 31).has_value());
  EXPECT_EQ(CellOfDay(grid, 31)->row, 5);
  EXPECT_EQ(LastGridDay(MonthGrid{}), 0);
  EXPECT_EQ(DayWithinMonth(MonthGrid{}, 1, 0), 0);
}

}  // namespace
