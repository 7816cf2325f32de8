#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ui/core/CalendarColours.h"
#include "ui/core/CellContent.h"

namespace {

struct ColourCase {
  const char* name;
  int column;
  bool holiday;
  bool today;
  ColorRef expected;
};

const ColourCase kColourCases[] = {
    {"sunday", 0, false, false, 0x000000FF},
    {"saturday", 6, false, false, 0x00C80000},
    {"weekday", 3, false, false, 0x00000000},
    {"holidayOnSaturday", 6, true, false, 0x000000FF},
    {"holidayOnWeekday", 1, true, false, 0x000000FF},
    {"holidayOnSunday", 0, true, false, 0x000000FF},
    {"todayOnWeekday", 2, false, true, 0x0000FF00},
    {"todayOnSunday", 0, false, true, 0x0000FF00},
    {"todayOnSaturdayHoliday", 6, true, true, 0x0000FF00},
};

TEST(CalendarCellContentTest, DayNumberColours) {
  for (const ColourCase& c : kColourCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(DayNumberColour(c.column, c.holiday, c.today), c.expected);
  }
}

TEST(CalendarCellContentTest, HeaderColoursIgnoreHolidays) {
  const ColorRef expected[7] = {0x000000FF, 0, 0, 0, 0, 0, 0x00C80000};
  for (int column = 0; column < 7; ++column) EXPECT_EQ(ColumnTextColour(column), expected[column]);
}

struct ThemeCase {
  int index;
  bool exists;
  int cover;
};

// Theme 7 is checked in kDayPicturesCases.
const ThemeCase kThemeCases[] = {
    {0, true, 179}, {1, true, 180}, {2, true, 181}, {3, true, 242}, {4, false, 0}, {-1, false, 0},
};

TEST(CalendarCellContentTest, ThemesAndMemoMark) {
  for (const ThemeCase& c : kThemeCases) {
    SCOPED_TRACE(c.index);
    const auto mark = CellPictureSource(c.index, 0);
    ASSERT_EQ(FindColourTheme(c.index) != nullptr, c.exists);
    ASSERT_EQ(mark.has_value(), c.exists);
    if (!c.exists) continue;
    EXPECT_EQ(mark->bitmapId, c.cover);
    EXPECT_EQ(mark->width, 170);
    EXPECT_EQ(mark->height, 210);
  }
}

struct SealPictureCase {
  int code;
  int bitmapId;  // 0: nothing drawn
};

// Which code has which picture is SealTableTest's; here only what is drawn.
const SealPictureCase kSealPictureCases[] = {
    {6, 161},
    {0, 0},    // "（シールなし）" has a row but no picture
    {20, 0},   // no row
    {155, 0},  // a bitmap id is no code
};

TEST(CalendarCellContentTest, SealPictures) {
  for (const SealPictureCase& c : kSealPictureCases) {
    SCOPED_TRACE(c.code);
    for (int position = 1; position <= 3; ++position) {
      const auto source = CellPictureSource(c.code, position);
      ASSERT_EQ(source.has_value(), c.bitmapId != 0);
      if (!source) continue;
      EXPECT_EQ(source->bitmapId, c.bitmapId);
      EXPECT_EQ(source->width, 32);
      EXPECT_EQ(source->height, 32);
    }
  }
}

// The bitmap drawn at each of the four positions, 0 for none.
void DrawnPictures(const DayRecord& day, int theme, int (&drawn)[4]) {
  CellPictureCall calls[4];
  const size_t count = CellPictureCalls(day, theme, calls);
  std::fill(std::begin(drawn), std::end(drawn), 0);
  for (size_t i = 0; i < count; ++i) {
    const auto source = CellPictureSource(calls[i].code, calls[i].position);
    if (source) drawn[calls[i].position] = source->bitmapId;
  }
}

struct DayPicturesCase {
  const char* name;
  SealCode seals[4];
  const char* memo;
  int theme;
  int drawn[4];
};

const DayPicturesCase kDayPicturesCases[] = {
    {"sealsInSlots2And4", {0, 6, 0, 38}, "", 0, {0, 0, 161, 0}},
    {"threeSealsAndMemo", {14, 27, 28, 15}, "x", 2, {181, 169, 218, 219}},
    {"oneCharacterMemoCream", {0, 0, 0, 0}, "a", 0, {179, 0, 0, 0}},
    {"oneCharacterMemoGrey", {0, 0, 0, 0}, "a", 3, {242, 0, 0, 0}},
    {"backColor7", {6, 0, 0, 0}, "memo", 7, {0, 161, 0, 0}},
    {"codesWithoutRow", {20, 37, 99, 0}, "", 1, {0, 0, 0, 0}},
};

TEST(CalendarCellContentTest, PicturesOfADay) {
  for (const DayPicturesCase& c : kDayPicturesCases) {
    SCOPED_TRACE(c.name);
    DayRecord day = {};
    std::copy(std::begin(c.seals), std::end(c.seals), day.nSeal);
    SetDayMemo(day, c.memo);
    int drawn[4];
    DrawnPictures(day, c.theme, drawn);
    for (int p = 0; p < 4; ++p) EXPECT_EQ(drawn[p], c.drawn[p]) << "position " << p;
  }
}

struct LineCase {
  const char* name;
  std::string field;
  std::string shown;
};

const LineCase kLineCases[] = {
    {"empty", "", ""},
    {"oneLine", "会議 10:00", "会議 10:00"},
    {"twoLines", "朝会\r\n午後は外出", "朝会\r"},
    {"bareLineFeed", "a\nb", "a"},
    {"startsWithLineFeed", "\nhidden", ""},
    {"full127", std::string(127, 'x'), std::string(127, 'x')},
};

TEST(CalendarCellContentTest, FirstTextLine) {
  for (const LineCase& c : kLineCases) {
    SCOPED_TRACE(c.name);
    char field[kLineSize] = {};
    std::memcpy(field, c.field.data(), c.field.size());
    char line[kLineSize];
    EXPECT_EQ(FirstTextLine(field, line), c.shown.size());
    EXPECT_EQ(std::string(line), c.shown);
  }
}

TEST(CalendarCellContentTest, FirstTextLineOfAnUnterminatedFieldStaysInside) {
  char field[kLineSize];
  std::memset(field, 'y', sizeof field);
  char line[kLineSize];
  EXPECT_EQ(FirstTextLine(field, line), kLineSize - 1);
  EXPECT_EQ(line[kLineSize - 1], '\0');
}

struct NameCase {
  const char* name;
  const char* text;
  size_t length;
};

// 日 is 0x93 0xFA.
const NameCase kNameCases[] = {
    {"english", "Sunday", 3},     {"short", "Su", 2},          {"japaneseOne", "日", 2},
    {"japaneseLong", "日曜日", 2}, {"asciiThenPair", "ab日", 2}, {"oneThenPair", "a日", 3},
    {"empty", "", 0},             {"null", nullptr, 0},         {"danglingLead", "ab\x93", 3},
};

TEST(CalendarCellContentTest, WeekdayNameCutOnCharacterBoundary) {
  for (const NameCase& c : kNameCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(WeekdayNameLength(c.text), c.length);
  }
}

TEST(CalendarCellContentTest, DayNumberText) {
  const struct {
    unsigned char day;
    const char* text;
  } kCases[] = {{1, "1"}, {9, "9"}, {10, "10"}, {31, "31"}, {255, "255"}};
  for (const auto& c : kCases) {
    char text[4];
    EXPECT_EQ(FormatDayNumber(c.day, text), std::strlen(c.text));
    EXPECT_STREQ(text, c.text);
  }
}

}  // namespace
