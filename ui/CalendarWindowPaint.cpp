// The schedule window's month calendar: painted whole into a memory bitmap
// and copied once, so neither WM_PAINT nor a capture through WM_PRINTCLIENT
// flickers. The host is asked of each cell as it is painted.
#include <optional>
#include <string>

#include "ui/CalendarPainter.h"
#include "ui/ScheduleDialog.h"
#include "ui/SystemPalette.h"
#include "ui/core/CellContent.h"
#include "ui/core/DayFacts.h"
#include "win/Text.h"

namespace {

class CHostCalendarFacts : public ICalendarFacts {
 public:
  CHostCalendarFacts(CToolHost& host, const MonthView& view, int japaneseNames)
      : m_host(host), m_view(view), m_japaneseNames(japaneseNames) {}

  std::wstring WeekdayName(int column) override {
    const char* name = AskCalendarText(m_host, kCalWeekdayName, column, m_japaneseNames);
    return WidenCp932(name, WeekdayNameLength(name));
  }
  void BeginDays() override { m_bracket.emplace(m_host, m_view.year); }
  void EndDays() override { m_bracket.reset(); }
  ColorRef DayNumberColour(int day, int column, const CalendarPalette& palette, bool selected) override {
    return AskDayNumberColour(m_host, m_view.year, m_view.month, day, column, palette, selected);
  }

 private:
  CToolHost& m_host;  // not owned
  const MonthView& m_view;
  const int m_japaneseNames;
  std::optional<CHolidayBracket> m_bracket;
};

PixelRect ToPixelRect(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

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
  const CalendarSheet sheet = {ScreenCalendarGrid(ToPixelRect(area)),
                               CalendarSurface::kScreen,
                               &view.dayGrid,
                               &table,
                               view.selectedDay,
                               themeIndex,
                               CurrentCalendarPalette(themeIndex)};
  CHostCalendarFacts facts(*m_pHost, view, m_japaneseNames);
  CCalendarPainter(m_cellPictures, m_cellLines).Paint(buffer, sheet, {m_dayFont, m_lineFont}, facts, update);
  BitBlt(target, area.left, area.top, width, height, buffer, area.left, area.top, SRCCOPY);
}
