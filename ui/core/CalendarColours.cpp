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
