#include "ui/core/CalendarColours.h"

const ColourTheme g_ColourThemes[kThemeCount] = {
    {0x00C8FFFF, 0x0005C3C8, 179},  // cream
    {0x00DEDEFF, 0x007A7ABC, 180},  // pink
    {0x00FFDEDE, 0x00963232, 181},  // sky
    {0x00DEDEDE, 0x00646464, 242},  // light grey
};

ColorRef ColumnTextColour(int column) {
  if (column == 0) return kSundayColour;
  if (column == 6) return kSaturdayColour;
  return kWeekdayColour;
}

ColorRef DayNumberColour(int column, bool holiday, bool today) {
  if (today) return kTodayColour;
  if (holiday) return kHolidayColour;
  return ColumnTextColour(column);
}

const ColourTheme* FindColourTheme(int themeIndex) {
  if (themeIndex < 0 || themeIndex >= kThemeCount) return nullptr;
  return &g_ColourThemes[themeIndex];
}

CalendarPalette ThemePalette(int themeIndex) {
  const ColourTheme* theme = FindColourTheme(themeIndex);
  CalendarPalette palette = {};
  palette.fillsBackground = theme != nullptr;
  palette.background = theme != nullptr ? theme->background : 0;
  palette.headerFill = kHeaderFillColour;
  palette.selectedFill = kSelectedFillColour;
  palette.colouredDays = true;
  palette.text = kCellLineColour;
  palette.headerText = kWeekdayColour;
  palette.selectedText = kCellLineColour;
  return palette;
}

CalendarPalette HighContrastPalette(const SystemColours& system) {
  CalendarPalette palette = {};
  palette.fillsBackground = true;
  palette.background = system.window;
  palette.headerFill = system.buttonFace;
  palette.selectedFill = system.highlight;
  palette.colouredDays = false;
  palette.text = system.windowText;
  palette.headerText = system.buttonText;
  palette.selectedText = system.highlightText;
  return palette;
}

ColorRef HeaderTextColour(const CalendarPalette& palette, int column) {
  return palette.colouredDays ? ColumnTextColour(column) : palette.headerText;
}

ColorRef DayNumberColour(const CalendarPalette& palette, int column, bool holiday, bool today, bool selected) {
  if (palette.colouredDays) return DayNumberColour(column, holiday, today);
  return selected ? palette.selectedText : palette.text;
}

ColorRef CellLineColour(const CalendarPalette& palette, bool selected) {
  return selected ? palette.selectedText : palette.text;
}
