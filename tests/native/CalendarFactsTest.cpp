#include <gtest/gtest.h>

#include <array>
#include <cstring>

#include "calendar/CalendarFacts.h"
#include "calendar/DayNumber.h"
#include "host/core/CalendarAnswers.h"
#include "host/core/CalendarNames.h"

namespace {

struct MonthLengthCase {
  int year;
  int month;
  int days;
};

// The leap rule and the bounds; a wrong length of any other month shows in
// DayOfYear's year totals and in the month grids.
const MonthLengthCase kMonthLengthCases[] = {
    {2023, 2, 28}, {2024, 2, 29}, {1900, 2, 28},   {2000, 2, 29}, {2100, 2, 28},  {4, 2, 29},
    {2023, 0, 0},  {2023, 13, 0}, {0, 1, 0},       {-4, 2, 0},    {65535, 12, 31}, {65536, 1, 0},
};

TEST(CalendarFactsTest, DaysInMonthFollowsTheGregorianLeapRule) {
  for (const MonthLengthCase& c : kMonthLengthCases) {
    EXPECT_EQ(c.days, DaysInMonth(c.year, c.month)) << c.year << "-" << c.month;
  }
}

struct WeekdayCase {
  int year;
  int month;
  int day;
  int weekday;
};

const WeekdayCase kWeekdayCases[] = {
    {1, 1, 1, kMonday},          {1752, 9, 14, kThursday},   {1900, 1, 1, kMonday},
    {1970, 1, 1, kThursday},     {2000, 1, 1, kSaturday},    {2024, 2, 29, kThursday},
    {2100, 3, 1, kMonday},       {9999, 12, 31, kFriday},
    {2023, 2, 29, -1},           {2024, 13, 1, -1},          {2024, 1, 0, -1},
    {2024, 4, 31, -1},           {0, 1, 1, -1},
};

TEST(CalendarFactsTest, WeekdayOfKnownDatesAndImpossibleOnes) {
  for (const WeekdayCase& c : kWeekdayCases) {
    EXPECT_EQ(c.weekday, WeekdayOf(c.year, c.month, c.day)) << c.year << "-" << c.month << "-" << c.day;
  }
}

TEST(CalendarFactsTest, DayOfYearCountsThroughTheLeapDay) {
  EXPECT_EQ(1, DayOfYear(2023, 1, 1));
  EXPECT_EQ(60, DayOfYear(2024, 2, 29));
  EXPECT_EQ(61, DayOfYear(2024, 3, 1));
  EXPECT_EQ(60, DayOfYear(2023, 3, 1));
  EXPECT_EQ(366, DayOfYear(2000, 12, 31));
  EXPECT_EQ(365, DayOfYear(1900, 12, 31));
  EXPECT_EQ(0, DayOfYear(2023, 2, 29));
}

struct AdjacentMonthCase {
  int year;
  int month;
  int previousFirst;  // weekday of the 1st of the month before
  int nextFirst;      // weekday of the 1st of the month after
};

const AdjacentMonthCase kAdjacentMonthCases[] = {
    {2026, 1, kMonday, kSunday},        // Dec 2025, Feb 2026
    {2025, 12, kSaturday, kThursday},   // Nov 2025, Jan 2026
    {2024, 3, kThursday, kMonday},      // Feb 2024, Apr 2024
    {1, 1, -1, kThursday},              // no December of year 0
    {65535, 12, kFriday, -1},           // no January of year 65536
    {2026, 0, -1, -1},
    {2026, 13, -1, -1},
    {0, 12, -1, -1},
};

TEST(CalendarFactsTest, FirstWeekdayOfAdjacentMonthsAcrossYearEnds) {
  for (const AdjacentMonthCase& c : kAdjacentMonthCases) {
    DateRecord date;
    date.wYear = static_cast<uint16_t>(c.year);
    date.wMonth = static_cast<uint16_t>(c.month);
    date.wDay = 15;
    EXPECT_EQ(c.previousFirst, PrevMonthFirstWeekday(date)) << c.year << "-" << c.month;
    EXPECT_EQ(c.nextFirst, NextMonthFirstWeekday(date)) << c.year << "-" << c.month;
  }
}

using Row = std::array<int, MonthGrid::kColumns>;

struct GridCase {
  const char* name;
  int year;
  int month;
  int rows;  // rows holding a day; the rest are all 0
  Row firstRow;
  Row lastRow;
};

const GridCase kGridCases[] = {
    {"startsSunday", 2026, 2, 4, {1, 2, 3, 4, 5, 6, 7}, {22, 23, 24, 25, 26, 27, 28}},
    {"startsMonday", 2026, 6, 5, {0, 1, 2, 3, 4, 5, 6}, {28, 29, 30, 0, 0, 0, 0}},
    {"startsTuesday", 2026, 9, 5, {0, 0, 1, 2, 3, 4, 5}, {27, 28, 29, 30, 0, 0, 0}},
    {"startsWednesday", 2026, 4, 5, {0, 0, 0, 1, 2, 3, 4}, {26, 27, 28, 29, 30, 0, 0}},
    {"startsThursday", 2026, 1, 5, {0, 0, 0, 0, 1, 2, 3}, {25, 26, 27, 28, 29, 30, 31}},
    {"startsFriday", 2026, 5, 6, {0, 0, 0, 0, 0, 1, 2}, {31, 0, 0, 0, 0, 0, 0}},
    {"startsSaturday", 2026, 8, 6, {0, 0, 0, 0, 0, 0, 1}, {30, 31, 0, 0, 0, 0, 0}},
    {"february2024", 2024, 2, 5, {0, 0, 0, 0, 1, 2, 3}, {25, 26, 27, 28, 29, 0, 0}},
};

Row RowOf(const MonthGrid& grid, int row) {
  Row cells{};
  for (int column = 0; column < MonthGrid::kColumns; ++column) cells[column] = grid.At(row, column);
  return cells;
}

TEST(CalendarFactsTest, MonthGridPlacesEveryDayInItsWeekdayColumn) {
  for (const GridCase& c : kGridCases) {
    MonthGrid grid;
    std::memset(grid.cells, 0xEE, sizeof grid.cells);
    ASSERT_TRUE(FillMonthGrid(grid, c.year, c.month)) << c.name;
    EXPECT_EQ(c.firstRow, RowOf(grid, 0)) << c.name;
    EXPECT_EQ(c.lastRow, RowOf(grid, c.rows - 1)) << c.name;
    // Full weeks in between: each row continues the one above.
    for (int row = 1; row < c.rows - 1; ++row) {
      Row cells = RowOf(grid, row);
      EXPECT_EQ(RowOf(grid, row - 1)[6] + 1, cells[0]) << c.name << " row " << row;
      for (int column = 1; column < MonthGrid::kColumns; ++column) {
        EXPECT_EQ(cells[0] + column, cells[column]) << c.name << " row " << row;
      }
    }
    for (int row = c.rows; row < MonthGrid::kRows; ++row) {
      EXPECT_EQ(Row{}, RowOf(grid, row)) << c.name << " row " << row;
    }
  }
}

TEST(CalendarFactsTest, MonthGridOfAnImpossibleMonthIsCleared) {
  const int kBadMonths[][2] = {{2026, 0}, {2026, 13}, {0, 5}, {-1, 1}};
  for (const auto& bad : kBadMonths) {
    MonthGrid grid;
    std::memset(grid.cells, 0xEE, sizeof grid.cells);
    EXPECT_FALSE(FillMonthGrid(grid, bad[0], bad[1]));
    for (unsigned char cell : grid.cells) ASSERT_EQ(0, cell) << bad[0] << "-" << bad[1];
  }
}

// Every day from 1 January of year 1 to the last of 9999 is the day after the one before.
TEST(CalendarFactsTest, DayNumbersCountEveryDayOfTheYears1To9999) {
  int number = 0;
  for (int year = 1; year <= 9999; ++year) {
    for (int month = 1; month <= kMonthsInYear; ++month) {
      for (int day = 1; day <= DaysInMonth(year, month); ++day, ++number) {
        ASSERT_EQ(DayNumberOf(year, month, day), number) << year << "-" << month << "-" << day;
        CalendarDate date = DateOfDayNumber(number);
        ASSERT_TRUE(date.year == year && date.month == month && date.day == day) << number;
        ASSERT_EQ(WeekdayOfDayNumber(number), WeekdayOf(year, month, day)) << number;
      }
    }
  }
}

struct NameCase {
  int number;
  bool japanese;
  const char* expected;
};

const NameCase kMonthNameCases[] = {
    {1, false, "January"}, {9, false, "September"}, {12, false, "December"},
    {1, true, "1月"},      {10, true, "10月"},      {12, true, "12月"},
    {0, false, ""},        {13, true, ""},          {-1, false, ""},
};

const NameCase kWeekdayNameCases[] = {
    {0, false, "Sun"}, {3, false, "Wed"}, {6, false, "Sat"}, {0, true, "日"},
    {1, true, "月"},   {6, true, "土"},   {7, false, ""},    {-1, true, ""},
};

TEST(CalendarFactsTest, MonthAndWeekdayNamesInBothLanguages) {
  for (const NameCase& c : kMonthNameCases) {
    EXPECT_STREQ(c.expected, MonthName(c.number, c.japanese)) << c.number << " " << c.japanese;
  }
  for (const NameCase& c : kWeekdayNameCases) {
    EXPECT_STREQ(c.expected, WeekdayName(c.number, c.japanese)) << c.number << " " << c.japanese;
  }
  // cp932 bytes, as the host hands them out: "日" is 0x93 0xFA.
  EXPECT_STREQ("\x93\xFA", WeekdayName(kSunday, true));
  EXPECT_STREQ("\x31\x8C\x8E", MonthName(1, true));
}

}  // namespace
