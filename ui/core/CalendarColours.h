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

// The colours the calendar is painted in: its theme's, or in high contrast
// the system's own, where the days are alike and the day's name tells a
// Sunday, a holiday and today apart.
struct CalendarPalette {
  bool fillsBackground;  // false for a ThemeIndex outside 0 to 3: the dialog shows through
  ColorRef background;
  ColorRef headerFill;
  ColorRef selectedFill;
  bool colouredDays;      // Sunday, Saturday, holidays and today in their colours
  ColorRef text;          // weekday names and day numbers without a colour of their own, lines
  ColorRef headerText;    // on the header fill, where the days are not coloured
  ColorRef selectedText;  // in the selected cell, where the days are not coloured
};

// The system's colours that high contrast paints with.
struct SystemColours {
  ColorRef window;
  ColorRef windowText;
  ColorRef buttonFace;
  ColorRef buttonText;
  ColorRef highlight;
  ColorRef highlightText;
};

CalendarPalette ThemePalette(int themeIndex);
CalendarPalette HighContrastPalette(const SystemColours& system);
ColorRef HeaderTextColour(const CalendarPalette& palette, int column);
ColorRef DayNumberColour(const CalendarPalette& palette, int column, bool holiday, bool today, bool selected);
ColorRef CellLineColour(const CalendarPalette& palette, bool selected);
