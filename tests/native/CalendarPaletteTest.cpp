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

TEST(CalendarPaletteTest, ThemesKeepTheirFillsAndHighContrastTakesTheSystems) {
  for (int theme = 0; theme < kThemeCount; ++theme) {
    EXPECT_EQ(ThemePalette(theme).background, g_ColourThemes[theme].background);
    EXPECT_EQ(HeaderTextColour(ThemePalette(theme), 6), 0x00C80000u);
  }
  EXPECT_FALSE(ThemePalette(7).fillsBackground);
  const CalendarPalette contrast = HighContrastPalette(kSystem);
  EXPECT_EQ(contrast.background, kSystem.window);
  EXPECT_EQ(contrast.headerFill, kSystem.buttonFace);
  EXPECT_EQ(contrast.selectedFill, kSystem.highlight);
  EXPECT_EQ(HeaderTextColour(contrast, 0), kSystem.buttonText);
  EXPECT_EQ(CellLineColour(contrast, true), kSystem.highlightText);
}

}  // namespace
