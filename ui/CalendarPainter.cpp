// First cut of the calendar: the paint cycle; the month comes with the painter.
#include "ui/ScheduleDialog.h"

void CScheduleDialog::PaintCalendar() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(m_hWnd, &paint);
  PaintCalendarInto(dc);
  EndPaint(m_hWnd, &paint);
}

void CScheduleDialog::PaintCalendarInto(HDC) {}
