// Stepping between months with the two spinners, and showing the month that
// the session opened.
#include "ui/ScheduleDialog.h"
#include "ui/res/resource.h"

void CScheduleDialog::ShowOpenedMonth(MonthFileState opened) {
  MonthView view = m_session.View();
  ShowDayPage(view);
  LocateDayCell(view.dayGrid, view.selectedDay);
  ShowYearLabel();
  ShowMonthLabel();
  if (opened == MonthFileState::kUnreadable) {
    ::PostMessageW(m_hWnd, WM_TOOL_MONTHUNREADABLE, static_cast<WPARAM>(view.year), static_cast<LPARAM>(view.month));
  }
  if (!m_session.KeptCopy().empty()) {
    ::PostMessageW(m_hWnd, WM_TOOL_COPYKEPT, static_cast<WPARAM>(view.year), static_cast<LPARAM>(view.month));
  }
}

LRESULT CScheduleDialog::StepMonths(int months) {
  MonthStepOutcome outcome = m_session.Step(*m_pHost, months);
  // A month that could not be saved stays on display with its edits.
  if (!outcome.stepped) {
    ReportWriteFailure();
    return 1;
  }
  ShowOpenedMonth(outcome.opened);
  InvalidateRect(m_calendarRect, true);
  return 0;
}

// The right arrow of a default-range spinner reports a negative delta.
LRESULT CScheduleDialog::OnMonthSpin(const NMUPDOWN* notification) {
  // An edit that had the focus stores its text into the month still shown.
  ::SetFocus(GetDlgItem(IDC_YEAR_SPIN));
  return StepMonths(notification->iDelta < 0 ? 1 : -1);
}

LRESULT CScheduleDialog::OnYearSpin(const NMUPDOWN* notification) {
  ::SetFocus(GetDlgItem(IDC_MONTH_SPIN));
  return StepMonths(notification->iDelta < 0 ? MonthView::kMonthsInYear : -MonthView::kMonthsInYear);
}
