#include <gtest/gtest.h>

#include "ui/core/CalendarGeometry.h"

namespace {

constexpr CalendarGrid kScreen = ScreenCalendarGrid(kCalendarArea);

// The grid as a person measures it on screen: columns from x = 201, rows
// from y = 22, 79 by 95 pixels.
const int kColumnLefts[7] = {201, 280, 359, 438, 517, 596, 675};
const int kRowTops[6] = {22, 117, 212, 307, 402, 497};
// Grid lines: the pixel columns and rows that belong to no cell.
const int kVerticalLines[8] = {200, 279, 358, 437, 516, 595, 674, 753};
const int kHorizontalLines[7] = {22, 117, 212, 307, 402, 497, 592};

void ExpectRect(const PixelRect& actual, int left, int top, int right, int bottom) {
  EXPECT_EQ(actual.left, left);
  EXPECT_EQ(actual.top, top);
  EXPECT_EQ(actual.right, right);
  EXPECT_EQ(actual.bottom, bottom);
}

TEST(CalendarGeometryTest, HeaderCellsAndNames) {
  for (int i = 0; i < 7; ++i) {
    SCOPED_TRACE(i);
    ExpectRect(HeaderCellRect(kScreen, i), kColumnLefts[i], 5, kColumnLefts[i] + 79, 22);
    const PixelPoint name = WeekdayNameOrigin(kScreen, i);
    EXPECT_EQ(name.x, 210 + 79 * i);
    EXPECT_EQ(name.y, 6);
  }
}

TEST(CalendarGeometryTest, PaintedAndSelectionRectanglesOfAll42Cells) {
  for (int r = 0; r < 6; ++r) {
    for (int c = 0; c < 7; ++c) {
      SCOPED_TRACE(testing::Message() << "column " << c << " row " << r);
      ExpectRect(PaintedCellRect(kScreen, c, r), kColumnLefts[c], kRowTops[r], kColumnLefts[c] + 79, kRowTops[r] + 95);
      ExpectRect(SelectionRect(kCalendarArea, c, r), kColumnLefts[c] - 1, kRowTops[r], kColumnLefts[c] + 78,
                 kRowTops[r] + 95);
    }
  }
  // The last column and row stay inside the sunken edge of the area.
  const PixelRect last = PaintedCellRect(kScreen, 6, 5);
  EXPECT_LT(last.right, kCalendarArea.right);
  EXPECT_LT(last.bottom, kCalendarArea.bottom);
}

TEST(CalendarGeometryTest, HitTestOnAndBesideEveryVerticalLine) {
  const int y = 60;  // inside row 0
  for (int line = 0; line < 8; ++line) {
    const int x = kVerticalLines[line];
    SCOPED_TRACE(x);
    EXPECT_FALSE(HitCell(kCalendarArea, x, y));
    const auto right = HitCell(kCalendarArea, x + 1, y);
    if (line < 7) {
      ASSERT_TRUE(right);
      EXPECT_EQ(right->column, line);
      EXPECT_EQ(right->row, 0);
    } else {
      EXPECT_FALSE(right);
    }
    const auto left = HitCell(kCalendarArea, x - 1, y);
    if (line > 0) {
      ASSERT_TRUE(left);
      EXPECT_EQ(left->column, line - 1);
    } else {
      EXPECT_FALSE(left);
    }
  }
}

TEST(CalendarGeometryTest, HitTestOnAndBesideEveryHorizontalLine) {
  const int x = 240;  // inside column 0
  for (int line = 0; line < 7; ++line) {
    const int y = kHorizontalLines[line];
    SCOPED_TRACE(y);
    EXPECT_FALSE(HitCell(kCalendarArea, x, y));
    const auto below = HitCell(kCalendarArea, x, y + 1);
    if (line < 6) {
      ASSERT_TRUE(below);
      EXPECT_EQ(below->row, line);
      EXPECT_EQ(below->column, 0);
    } else {
      EXPECT_FALSE(below);
    }
    const auto above = HitCell(kCalendarArea, x, y - 1);
    if (line > 0) {
      ASSERT_TRUE(above);
      EXPECT_EQ(above->row, line - 1);
    } else {
      EXPECT_FALSE(above);  // the header band
    }
  }
}

TEST(CalendarGeometryTest, HitTestFarOutside) {
  const struct { int x, y; } kPoints[] = {{0, 0}, {100, 300}, {240, 10}, {800, 300}, {240, 700}, {-5, -5}};
  for (const auto& point : kPoints) EXPECT_FALSE(HitCell(kCalendarArea, point.x, point.y));
}

struct InsideCase {
  bool selected;
  int dayX, dayY;
  int pictureLefts[4];
  int pictureRights[4];
  int pictureTop;
  int lineLeft, lineRight;
  int lineTops[5];
};

// Cell (1, 1): left 280, top 117, right 359.
const InsideCase kInsideCases[] = {
    {false, 283, 120, {298, 312, 326, 340}, {308, 326, 340, 354}, 120, 288, 354, {137, 151, 165, 179, 193}},
    {true, 284, 121, {299, 313, 327, 341}, {309, 327, 341, 355}, 121, 289, 355, {138, 152, 166, 180, 194}},
};

TEST(CalendarGeometryTest, ContentOfPlainAndSelectedCell) {
  const PixelRect cell = PaintedCellRect(kScreen, 1, 1);
  for (const InsideCase& c : kInsideCases) {
    SCOPED_TRACE(c.selected);
    const PixelPoint day = DayNumberOrigin(kScreen, cell, c.selected);
    EXPECT_EQ(day.x, c.dayX);
    EXPECT_EQ(day.y, c.dayY);
    for (int p = 0; p < 4; ++p) {
      SCOPED_TRACE(p);
      ExpectRect(CellPictureRect(kScreen, cell, c.selected, p), c.pictureLefts[p], c.pictureTop, c.pictureRights[p],
                 c.pictureTop + 14);
    }
    for (int k = 1; k <= 5; ++k) {
      SCOPED_TRACE(k);
      ExpectRect(CellLineRect(kScreen, cell, c.selected, k), c.lineLeft, c.lineTops[k - 1], c.lineRight,
                 c.lineTops[k - 1] + 34);
    }
  }
}

}  // namespace
