#include "ui/CalendarPainter.h"

#include <string_view>

#include "ui/core/CellContent.h"
#include "win/Gdi.h"

namespace {

RECT ToRect(const PixelRect& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

void DrawSunkenEdge(HDC dc, RECT rect) { DrawEdge(dc, &rect, EDGE_SUNKEN, BF_RECT); }

void DrawLine(HDC dc, int x1, int y1, int x2, int y2) {
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
}

}  // namespace

void CCalendarPainter::Paint(HDC dc, const CalendarSheet& sheet, const CalendarFonts& fonts, ICalendarFacts& facts,
                             const RECT* update) {
  const RECT area = ToRect(sheet.grid.area);
  const bool screen = sheet.surface == CalendarSurface::kScreen;
  if (screen) {
    if (sheet.palette.fillsBackground) FillSolidRect(dc, area, sheet.palette.background);
    DrawSunkenEdge(dc, area);
  }
  CSelectObject fontSelection(dc, fonts.day);
  SetBkMode(dc, TRANSPARENT);
  PaintWeekdayHeaders(dc, sheet, facts);
  facts.BeginDays();
  for (int row = 0; row < kGridRows; ++row) {
    for (int column = 0; column < kGridColumns; ++column) {
      // The paint is clipped to what changed: a cell outside it would not show.
      RECT cell = ToRect(PaintedCellRect(sheet.grid, column, row));
      RECT overlap;
      if (update != nullptr && !IntersectRect(&overlap, &cell, update)) continue;
      PaintDayCell(dc, sheet, fonts, facts, column, row);
    }
  }
  facts.EndDays();
  if (!screen) RuleGrid(dc, sheet.grid);
}

void CCalendarPainter::PaintWeekdayHeaders(HDC dc, const CalendarSheet& sheet, ICalendarFacts& facts) {
  for (int column = 0; column < kGridColumns; ++column) {
    RECT header = ToRect(HeaderCellRect(sheet.grid, column));
    FillSolidRect(dc, header, sheet.palette.headerFill);
    if (sheet.surface == CalendarSurface::kScreen) DrawEdge(dc, &header, EDGE_RAISED, BF_RECT);
    SetTextColor(dc, HeaderTextColour(sheet.palette, column));
    const std::wstring shown = facts.WeekdayName(column);
    const PixelPoint origin = WeekdayNameOrigin(sheet.grid, column);
    TextOutW(dc, origin.x, origin.y, shown.c_str(), static_cast<int>(shown.size()));
  }
}

void CCalendarPainter::PaintDayCell(HDC dc, const CalendarSheet& sheet, const CalendarFonts& fonts,
                                    ICalendarFacts& facts, int column, int row) {
  const unsigned char day = sheet.days->At(row, column);
  const PixelRect cell = PaintedCellRect(sheet.grid, column, row);
  const bool selected = day != 0 && day == sheet.selectedDay;
  if (sheet.surface == CalendarSurface::kScreen) {
    RECT edge = ToRect(cell);
    if (selected) {
      FillSolidRect(dc, edge, sheet.palette.selectedFill);
      DrawSunkenEdge(dc, edge);
    } else {
      DrawEdge(dc, &edge, EDGE_ETCHED, BF_RECT);
    }
  }
  // A host grid may hold numbers the month table has no record for.
  if (day == 0 || day > kDaysInTable) return;

  SetTextColor(dc, facts.DayNumberColour(day, column, sheet.palette, selected));
  SelectObject(dc, fonts.day);
  char number[4];
  const size_t length = FormatDayNumber(day, number);
  const PixelPoint origin = DayNumberOrigin(sheet.grid, cell, selected);
  TextOutA(dc, origin.x, origin.y, number, static_cast<int>(length));

  const DayRecord& record = sheet.table->Day(day);
  CellPictureCall pictures[kCellPicturePositions];
  const size_t count = CellPictureCalls(record, sheet.themeIndex, pictures);
  for (size_t i = 0; i < count; ++i) {
    const auto source = CellPictureSource(pictures[i].code, pictures[i].position);
    if (source) m_pictures.Draw(dc, *source, CellPictureRect(sheet.grid, cell, selected, pictures[i].position));
  }

  SelectObject(dc, fonts.line);
  SetTextColor(dc, CellLineColour(sheet.palette, selected));
  for (int line = 1; line <= kCellLines; ++line) {
    DrawCellLine(dc, sheet, fonts.line, cell, selected, record.szLine[line - 1], line);
  }
}

void CCalendarPainter::DrawCellLine(HDC dc, const CalendarSheet& sheet, HFONT font, const PixelRect& cell,
                                    bool selected, const char* text, int line) {
  char shown[kLineSize];
  const size_t length = FirstTextLine(text, shown);
  if (length == 0) return;
  const RECT rect = ToRect(CellLineRect(sheet.grid, cell, selected, line));
  m_lines.Draw(dc, font, std::string_view(shown, length), rect);
}

void CCalendarPainter::RuleGrid(HDC dc, const CalendarGrid& grid) {
  CGdiObject<HPEN> pen(CreatePen(PS_SOLID, grid.scale.Of(1) > 0 ? grid.scale.Of(1) : 1, kCellLineColour));
  CSelectObject penSelection(dc, pen);
  const int left = grid.area.left;
  const int top = grid.area.top;
  const int right = left + grid.cellWidth * kGridColumns;
  const int bottom = top + grid.headerHeight + grid.cellHeight * kGridRows;
  for (int column = 0; column <= kGridColumns; ++column) {
    const int x = left + grid.cellWidth * column;
    DrawLine(dc, x, top, x, bottom);
  }
  DrawLine(dc, left, top, right, top);
  for (int row = 0; row <= kGridRows; ++row) {
    const int y = top + grid.headerHeight + grid.cellHeight * row;
    DrawLine(dc, left, y, right, y);
  }
}
