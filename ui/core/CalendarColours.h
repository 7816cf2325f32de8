#pragma once
// The calendar's colours, as COLORREF values (0x00BBGGRR), and the four
// colour themes that "BackColor" chooses between.
#include <cstdint>

using ColorRef = uint32_t;

constexpr ColorRef kSundayColour = 0x000000FF;
constexpr ColorRef kSaturdayColour = 0x00C80000;
constexpr ColorRef kWeekdayColour = 0x00000000;
constexpr ColorRef kHolidayColour = 0x000000FF;
constexpr ColorRef kTodayColour = 0x0000FF00;
constexpr ColorRef kHeaderFillColour = 0x00DEDEDE;
constexpr ColorRef kSelectedFillColour = 0x00FFFFFF;
constexpr ColorRef kCellLineColour = 0x00000000;

// Weekday headers and the first rule for day numbers.
ColorRef ColumnTextColour(int column);
// Column first, then holiday, then today: today wins over both.
ColorRef DayNumberColour(int column, bool holiday, bool today);

struct ColourTheme {
  ColorRef background;    // calendar area and tooltip background
  ColorRef headingBrush;  // heading bars of the day page
  int coverBitmapId;      // diary cover and the calendar's memo mark
};

constexpr int kThemeCount = 4;
extern const ColourTheme g_ColourThemes[kThemeCount];

// nullptr for a ThemeIndex outside 0 to 3: no fill, no cover, no memo mark.
const ColourTheme* FindColourTheme(int themeIndex);
