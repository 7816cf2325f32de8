#pragma once
// The month calendar drawn into any device context it is handed, at that
// device's scale: the schedule window and a printed page share every cell.
#include <string>

#include "data/DayRecord.h"
#include "tool/ToolHost.h"
#include "ui/CellLineLayouts.h"
#include "ui/CellPictureCache.h"
#include "ui/core/CalendarColours.h"
#include "ui/core/CalendarGeometry.h"

// What the painter asks while it draws, in the order the host expects its
// questions: the screen asks the host at that moment, a page answers from
// what was asked before its job began.
class ICalendarFacts {
 public:
  // The header's name of weekday column 0 to 6.
  virtual std::wstring WeekdayName(int column) = 0;
  // Around the questions of the days.
  virtual void BeginDays() {}
  virtual void EndDays() {}
  virtual ColorRef DayNumberColour(int day, int column, const CalendarPalette& palette, bool selected) = 0;

 protected:
  ~ICalendarFacts() = default;
};

// The screen's look (theme fill, raised and sunken edges, the selection) or
// paper's (white, ruled with lines as thick as a screen pixel is there).
enum class CalendarSurface { kScreen, kPaper };

// What is drawn.
struct CalendarSheet {
  CalendarGrid grid;
  CalendarSurface surface;
  const MonthGrid* days;    // not owned
  const MonthTable* table;  // not owned
  int selectedDay;          // 0: none
  int themeIndex;           // the memo mark
  CalendarPalette palette;  // the screen's theme or the system's high contrast; paper's own
};

// Both made for the device the sheet is drawn on; not owned.
struct CalendarFonts {
  HFONT day;   // day numbers and weekday names
  HFONT line;  // the cells' lines
};

class CCalendarPainter {
 public:
  // The caches belong to one device's drawings: the window's, or a print job's.
  CCalendarPainter(CCellPictureCache& pictures, CCellLineLayouts& lines) : m_pictures(pictures), m_lines(lines) {}

  // update: only the cells that reach it are drawn; all when nullptr.
  void Paint(HDC dc, const CalendarSheet& sheet, const CalendarFonts& fonts, ICalendarFacts& facts,
             const RECT* update = nullptr);

 private:
  void PaintWeekdayHeaders(HDC dc, const CalendarSheet& sheet, ICalendarFacts& facts);
  void PaintDayCell(HDC dc, const CalendarSheet& sheet, const CalendarFonts& fonts, ICalendarFacts& facts, int column,
                    int row);
  void DrawCellLine(HDC dc, const CalendarSheet& sheet, HFONT font, const PixelRect& cell, bool selected,
                    const char* text, int line);
  // Paper's grid, over the cells.
  void RuleGrid(HDC dc, const CalendarGrid& grid);

  CCellPictureCache& m_pictures;  // not owned
  CCellLineLayouts& m_lines;      // not owned
};
