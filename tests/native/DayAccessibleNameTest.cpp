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
      {"today on a holiday Sunday", Day({}), On(3, 21, 0, "春分の日", true), "3月21日 日曜日 春分の日 今日"},
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
      {"a line of breaks alone is none", Day({"\r\n\r\n"}), On(12, 9, 3), "12月9日 水曜日"},
      {"everything, memo last", Day({"10:00 会議"}, {18}, "メモ"), On(12, 9, 3, nullptr, true),
       "12月9日 水曜日 今日 予定 10:00 会議 シール 打ち合わせ、会議 メモあり"},
      {"a month that could not be read says so, not empty", Day({}), On(5, 3, 1, "憲法記念日", false, true),
       "5月3日 月曜日 憲法記念日 この月は読み込めませんでした"},
      {"a weekday the grid does not give is not said", Day({}), On(2, 30, -1), "2月30日"},
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

TEST(DayAccessibleNameTest, TheDayPageByWhatItIs) {
  EXPECT_EQ(LineBoxAccessibleName(1), "予定 1");
  EXPECT_EQ(LineBoxAccessibleName(5), "予定 5");
  EXPECT_EQ(SealSlotAccessibleName(1, 10), "シール 1 病院");
  EXPECT_EQ(SealSlotAccessibleName(4, 0), "シール 4 なし");
  EXPECT_EQ(SealSlotAccessibleName(2, 20), "シール 2 なし");  // a code no seal has
  EXPECT_EQ(MonthAccessibleName(2010, 3), "2010年3月");
}

struct FactsCase {
  const char* name;
  int viewYear, viewMonth;
  int day;
  MonthFileState state;
  int weekday;
  const char* holiday;
  bool today;
  bool unreadable;
};

TEST(DayAccessibleNameTest, FactsOfADayOfTheView) {
  MonthFacts facts;
  facts.year = 2010;
  facts.month = 3;
  facts.holidays[21] = "春分の日";
  facts.todayYear = 2010;
  facts.todayMonth = 3;
  facts.todayDay = 5;
  const FactsCase cases[] = {
      {"a Friday, today", 2010, 3, 5, MonthFileState::kRead, 5, nullptr, true, false},
      {"the holiday, a Sunday", 2010, 3, 21, MonthFileState::kRead, 0, "春分の日", false, false},
      // The facts are of March: April's 21st is no holiday, and the 5th no today.
      {"another month's holiday", 2010, 4, 21, MonthFileState::kRead, 3, nullptr, false, false},
      {"another month's today", 2010, 4, 5, MonthFileState::kRead, 1, nullptr, false, false},
      {"another year's", 2011, 3, 5, MonthFileState::kRead, 6, nullptr, false, false},
      {"an unreadable month", 2010, 3, 1, MonthFileState::kUnreadable, 1, nullptr, false, true},
  };
  for (const FactsCase& c : cases) {
    SCOPED_TRACE(c.name);
    MonthView view;
    view.year = c.viewYear;
    view.month = c.viewMonth;
    view.fileState = c.state;
    ASSERT_TRUE(FillMonthGrid(view.dayGrid, c.viewYear, c.viewMonth));
    const DayNameFacts of = FactsOfDay(view, facts, c.day);
    EXPECT_EQ(of.month, c.viewMonth);
    EXPECT_EQ(of.day, c.day);
    EXPECT_EQ(of.weekday, c.weekday);
    EXPECT_EQ(of.holiday != nullptr ? std::string(of.holiday) : "", c.holiday != nullptr ? c.holiday : "");
    EXPECT_EQ(of.today, c.today);
    EXPECT_EQ(of.unreadable, c.unreadable);
  }
}

struct StepCase {
  int year, month;
  int day, days;
  int expected;
};

TEST(GridDaysTest, DaysAndWeeksStayInTheMonthShown) {
  const StepCase cases[] = {
      {2010, 3, 5, 1, 6},  {2010, 3, 31, 1, 0},  {2010, 3, 1, -1, 0}, {2010, 3, 24, 7, 31},
      {2010, 3, 25, 7, 0}, {2010, 2, 21, 7, 28}, {2010, 2, 22, 7, 0}, {2010, 3, 7, -7, 0},
      {2010, 3, 8, -7, 1}, {2012, 2, 28, 1, 29}, {2011, 2, 28, 1, 0},
  };
  for (const StepCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.year) + "-" + std::to_string(c.month) + " " + std::to_string(c.day) + " by " +
                 std::to_string(c.days));
    MonthGrid grid;
    ASSERT_TRUE(FillMonthGrid(grid, c.year, c.month));
    EXPECT_EQ(DayWithinMonth(grid, c.day, c.days), c.expected);
  }
}

TEST(GridDaysTest, CellsOfDaysAndAHostGridBeyondTheTable) {
  MonthGrid grid;
  ASSERT_TRUE(FillMonthGrid(grid, 2011, 1));  // the 1st is a Saturday, the 31st in the sixth row
  EXPECT_EQ(LastGridDay(grid), 31);
  const auto first = CellOfDay(grid, 1);
  ASSERT_TRUE(first.has_value());
  EXPECT_EQ(first->column, 6);
  EXPECT_EQ(first->row, 0);
  const auto last = CellOfDay(grid, 31);
  ASSERT_TRUE(last.has_value());
  EXPECT_EQ(last->column, 1);
  EXPECT_EQ(last->row, 5);
  EXPECT_FALSE(CellOfDay(grid, 0).has_value());
  EXPECT_FALSE(CellOfDay(grid, 32).has_value());
  // A host's grid may hold numbers the table has no day for: they are no day.
  grid.cells[41] = 200;
  EXPECT_EQ(LastGridDay(grid), 31);
  EXPECT_EQ(DayWithinMonth(grid, 31, 1), 0);
  EXPECT_EQ(LastGridDay(MonthGrid{}), 0);
}

}  // namespace
