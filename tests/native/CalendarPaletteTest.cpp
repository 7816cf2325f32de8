#include <gtest/gtest.h>

#include "ui/core/CalendarColours.h"

namespace {

const SystemColours kSystem = {0x00000000, 0x0000FFFF, 0x00101010, 0x00FFFFFF, 0x00800080, 0x00F0F0F0};

struct DayColourCase {
  const char* name;
  int column;
  bool holiday, today, selected;
  ColorRef theme;         // as the calendar was always painted
  ColorRef highContrast;  // one colour for every day, the selected one's own
};

const DayColourCase kDayColourCases[] = {
    {"weekday", 3, false, false, false, 0x00000000, 0x0000FFFF},
    {"sunday", 0, false, false, false, 0x000000FF, 0x0000FFFF},
    {"saturday", 6, false, false, false, 0x00C80000, 0x0000FFFF},
    {"holiday", 2, true, false, false, 0x000000FF, 0x0000FFFF},
    {"today", 4, false, true, false, 0x0000FF00, 0x0000FFFF},
    {"today selected", 4, false, true, true, 0x0000FF00, 0x00F0F0F0},
    {"holiday Saturday selected", 6, true, false, true, 0x000000FF, 0x00F0F0F0},
};

TEST(CalendarPaletteTest, DayNumbersInEachPalette) {
  for (const DayColourCase& c : kDayColourCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(DayNumberColour(ThemePalette(0), c.column, c.holiday, c.today, c.selected), c.theme);
    EXPECT_EQ(DayNumberColour(HighContrastPalette(kSystem), c.column, c.holiday, c.today, c.selected), c.highContrast);
  }
}

TEST(CalendarPaletteTest, EveryThemeKeepsItsColoursAndHighContrastTakesTheSystems) {
  for (int theme = 0; theme < kThemeCount; ++theme) {
    SCOPED_TRACE(theme);
    const CalendarPalette palette = ThemePalette(theme);
    EXPECT_TRUE(palette.fillsBackground);
    EXPECT_EQ(palette.background, g_ColourThemes[theme].background);
    EXPECT_EQ(palette.headerFill, 0x00DEDEDEu);
    EXPECT_EQ(palette.selectedFill, 0x00FFFFFFu);
    EXPECT_EQ(HeaderTextColour(palette, 0), 0x000000FFu);
    EXPECT_EQ(HeaderTextColour(palette, 6), 0x00C80000u);
    EXPECT_EQ(CellLineColour(palette, true), 0x00000000u);
  }
  EXPECT_FALSE(ThemePalette(7).fillsBackground);

  const CalendarPalette contrast = HighContrastPalette(kSystem);
  EXPECT_TRUE(contrast.fillsBackground);
  EXPECT_EQ(contrast.background, kSystem.window);
  EXPECT_EQ(contrast.headerFill, kSystem.buttonFace);
  EXPECT_EQ(contrast.selectedFill, kSystem.highlight);
  for (int column : {0, 3, 6}) EXPECT_EQ(HeaderTextColour(contrast, column), kSystem.buttonText);
  EXPECT_EQ(CellLineColour(contrast, false), kSystem.windowText);
  EXPECT_EQ(CellLineColour(contrast, true), kSystem.highlightText);
}

}  // namespace
