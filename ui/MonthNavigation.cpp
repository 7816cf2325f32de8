// Loading a month and stepping between months with the two spinners.
#include "ui/ScheduleDialog.h"
#include "ui/res/resource.h"

namespace {

constexpr int kMonthsInYear = 12;

DateRecord MakeDateRecord(int year, int month, int weekday, int day) {
  DateRecord date;
  date.wYear = static_cast<uint16_t>(year);
  date.wMonth = static_cast<uint16_t>(month);
  date.wDayOfWeek = static_cast<uint16_t>(weekday);
  date.wDay = static_cast<uint16_t>(day);
  return date;
}

}  // namespace

void CScheduleDialog::LoadMonth(int year, int month, int day, int weekday) {
  std::lock_guard<std::recursive_mutex> lock(m_monthLock);
  ReadMonthFile();
  DateRecord date = MakeDateRecord(year, month, weekday, day);
  m_pHost->CalendarQuery(kCalFillMonthGrid, reinterpret_cast<intptr_t>(&m_dayGrid), reinterpret_cast<intptr_t>(&date));
  ShowDayPage(day, weekday);
  LocateDayCell(day);
}

void CScheduleDialog::StepMonthBack(bool reload) {
  std::lock_guard<std::recursive_mutex> lock(m_monthLock);
  DateRecord date = MakeDateRecord(m_year, m_month, m_selectedWeekday, m_selectedDay);
  m_selectedWeekday =
      static_cast<int32_t>(m_pHost->CalendarQuery(kCalPrevMonthFirstWeekday, reinterpret_cast<intptr_t>(&date), 0));
  m_selectedDay = 1;
  if (--m_month == 0) {
    m_month = kMonthsInYear;
    --m_year;
  }
  if (reload) LoadMonth(m_year, m_month, 1, m_selectedWeekday);
}

void CScheduleDialog::StepMonthForward(bool reload) {
  std::lock_guard<std::recursive_mutex> lock(m_monthLock);
  DateRecord date = MakeDateRecord(m_year, m_month, m_selectedWeekday, m_selectedDay);
  m_selectedWeekday =
      static_cast<int32_t>(m_pHost->CalendarQuery(kCalNextMonthFirstWeekday, reinterpret_cast<intptr_t>(&date), 0));
  m_selectedDay = 1;
  if (++m_month == kMonthsInYear + 1) {
    m_month = 1;
    ++m_year;
  }
  if (reload) LoadMonth(m_year, m_month, 1, m_selectedWeekday);
}

LRESULT CScheduleDialog::OnMonthSpin(const NMUPDOWN* notification) {
  ::SetFocus(GetDlgItem(IDC_YEAR_SPIN));
  // A month that could not be saved stays on display with its edits.
  if (WriteMonthFile() == 0) return 1;
  {
    std::lock_guard<std::recursive_mutex> lock(m_monthLock);
    if (notification->iDelta < 0) {
      StepMonthForward(true);
    } else {
      StepMonthBack(true);
    }
  }
  ShowYearLabel();
  ShowMonthLabel();
  InvalidateRect(m_calendarRect, true);
  return 0;
}

LRESULT CScheduleDialog::OnYearSpin(const NMUPDOWN* notification) {
  ::SetFocus(GetDlgItem(IDC_MONTH_SPIN));
  if (WriteMonthFile() == 0) return 1;
  {
    std::lock_guard<std::recursive_mutex> lock(m_monthLock);
    for (int step = 1; step <= kMonthsInYear; ++step) {
      bool reload = step == kMonthsInYear;
      if (notification->iDelta < 0) {
        StepMonthForward(reload);
      } else {
        StepMonthBack(reload);
      }
    }
  }
  ShowYearLabel();
  ShowMonthLabel();
  InvalidateRect(m_calendarRect, true);
  return 0;
}
