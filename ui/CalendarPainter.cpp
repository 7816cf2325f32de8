// The month calendar: painted whole into a memory bitmap and copied once,
// so neither WM_PAINT nor a capture through WM_PRINTCLIENT flickers.
#include <string>
#include <string_view>

#include "ui/ScheduleDialog.h"
#include "ui/SystemPalette.h"
#include "ui/core/CalendarGeometry.h"
#include "ui/core/CellContent.h"
#include "ui/core/DayFacts.h"
#include "win/Module.h"
#include "win/Text.h"

namespace {

RECT ToRect(const PixelRect& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }
PixelRect ToPixelRect(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

void DrawSunkenEdge(HDC dc, RECT rect) { DrawEdge(dc, &rect, EDGE_SUNKEN, BF_RECT); }

void PaintWeekdayHeaders(HDC dc, const PixelRect& area, CToolHost& host, int japaneseNames,
                         const CalendarPalette& palette) {
  for (int column = 0; column < kGridColumns; ++column) {
    RECT header = ToRect(HeaderCellRect(area, column));
    FillSolidRect(dc, header, palette.headerFill);
    DrawEdge(dc, &header, EDGE_RAISED, BF_RECT);
    SetTextColor(dc, HeaderTextColour(palette, column));
    const auto* name = reinterpret_cast<const char*>(host.CalendarQuery(kCalWeekdayName, column, japaneseNames));
    const std::wstring shown = WidenCp932(name != nullptr ? name : "", WeekdayNameLength(name));
    const PixelPoint origin = WeekdayNameOrigin(area, column);
    TextOutW(dc, origin.x, origin.y, shown.c_str(), static_cast<int>(shown.size()));
  }
}

}  // namespace

void CScheduleDialog::PaintCalendar() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(m_hWnd, &paint);
  // A paint of nothing, or of the day page alone, leaves the month as it is.
  RECT overlap;
  if (IntersectRect(&overlap, &paint.rcPaint, &m_calendarRect)) PaintCalendarInto(dc, &paint.rcPaint);
  EndPaint(m_hWnd, &paint);
}

void CScheduleDialog::PaintCalendarInto(HDC target, const RECT* update) {
  const RECT area = m_calendarRect;
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  CMemoryDC buffer(target);
  CBitmap canvas;
  canvas.Attach(CreateCompatibleBitmap(target, width, height));
  if (buffer == nullptr || canvas == nullptr) return;
  CSelectObject canvasSelection(buffer, canvas);
  // What lies under the calendar stays where no theme fills it.
  BitBlt(buffer, 0, 0, width, height, target, area.left, area.top, SRCCOPY);
  SetViewportOrgEx(buffer, -area.left, -area.top, nullptr);

  m_cellPictures.BeginPaint(buffer);
  // Asked once: a memo mark needs it again, and the host may be slow to answer.
  const int themeIndex = ReadSettingInt("BackColor");
  // A copy of the month: the host is asked while painting, and no lock of
  // the month may be held across that.
  const MonthView view = m_session.View();
  MonthTable table;
  m_session.CopyTable(table);
  const CalendarPalette palette = CurrentCalendarPalette(themeIndex);
  if (palette.fillsBackground) FillSolidRect(buffer, area, palette.background);
  DrawSunkenEdge(buffer, area);
  CSelectObject fontSelection(buffer, m_dayFont);
  SetBkMode(buffer, TRANSPARENT);
  PaintWeekdayHeaders(buffer, ToPixelRect(area), *m_pHost, m_japaneseNames, palette);
  {
    CHolidayBracket month(*m_pHost, view.year);
    for (int row = 0; row < kGridRows; ++row) {
      for (int column = 0; column < kGridColumns; ++column) {
        // The paint is clipped to what changed: a cell outside it would not show.
        RECT cell = ToRect(PaintedCellRect(ToPixelRect(area), column, row));
        RECT overlap;
        if (update != nullptr && !IntersectRect(&overlap, &cell, update)) continue;
        PaintDayCell(buffer, view, table, column, row, themeIndex, palette);
      }
    }
  }
  BitBlt(target, area.left, area.top, width, height, buffer, area.left, area.top, SRCCOPY);
}

void CScheduleDialog::PaintDayCell(HDC dc, const MonthView& view, const MonthTable& table, int column, int row,
                                   int themeIndex, const CalendarPalette& palette) {
  const unsigned char day = view.dayGrid.At(row, column);
  const RECT cell = ToRect(PaintedCellRect(ToPixelRect(m_calendarRect), column, row));
  const bool selected = day != 0 && day == view.selectedDay;
  if (selected) {
    FillSolidRect(dc, cell, palette.selectedFill);
    DrawSunkenEdge(dc, cell);
  } else {
    RECT edge = cell;
    DrawEdge(dc, &edge, EDGE_ETCHED, BF_RECT);
  }
  // A host grid may hold numbers the month table has no record for.
  if (day == 0 || day > kDaysInTable) return;

  SetTextColor(dc, AskDayNumberColour(*m_pHost, view.year, view.month, day, column, palette, selected));
  SelectObject(dc, m_dayFont);
  char number[4];
  const size_t length = FormatDayNumber(day, number);
  const PixelPoint origin = DayNumberOrigin(ToPixelRect(cell), selected);
  TextOutA(dc, origin.x, origin.y, number, static_cast<int>(length));

  const DayRecord& record = table.Day(day);
  CellPictureCall pictures[kCellPicturePositions];
  const size_t count = CellPictureCalls(record, themeIndex, pictures);
  for (size_t i = 0; i < count; ++i) DrawCellPicture(dc, cell, selected, pictures[i].code, pictures[i].position);

  SelectObject(dc, m_lineFont);
  SetTextColor(dc, CellLineColour(palette, selected));
  for (int line = 1; line <= kCellLines; ++line) DrawCellLine(dc, cell, selected, record.szLine[line - 1], line);
}

void CScheduleDialog::DrawCellPicture(HDC dc, const RECT& cell, bool selected, int code, int position) {
  const auto source = CellPictureSource(code, position);
  if (!source) return;
  m_cellPictures.Draw(dc, *source, CellPictureRect(ToPixelRect(cell), selected, position));
}

void CScheduleDialog::DrawCellLine(HDC dc, const RECT& cell, bool selected, const char* text, int line) {
  char shown[kLineSize];
  const size_t length = FirstTextLine(text, shown);
  if (length == 0) return;
  const RECT rect = ToRect(CellLineRect(ToPixelRect(cell), selected, line));
  m_cellLines.Draw(dc, m_lineFont, std::string_view(shown, length), rect);
}
