// Settings, themes, label texts and colours of the schedule window.
#include "ui/LabelText.h"
#include "ui/ScheduleDialog.h"
#include "ui/SettingValue.h"
#include "ui/SystemPalette.h"
#include "ui/WindowLayout.h"
#include "ui/core/CalendarColours.h"
#include "ui/core/CalendarGeometry.h"
#include "ui/core/DayFacts.h"
#include "ui/res/resource.h"

namespace {

constexpr COLORREF kYearLabelColour = 0x00009600;
constexpr COLORREF kMonthLabelColour = 0x00963232;
constexpr COLORREF kHeadingTextColour = 0x00FFFFFF;

}  // namespace

int CScheduleDialog::ReadSettingInt(const char* key) const { return ReadSettingNumber(m_pHost, key); }

void CScheduleDialog::ShowYearLabel() {
  char text[kYearLabelSize];
  FormatYearLabel(m_session.View().year, text);
  SetDlgItemText(IDC_YEAR_LABEL, text);
}

void CScheduleDialog::ShowMonthLabel() {
  const int month = m_session.View().month;
  SetDlgItemText(IDC_MONTH_LABEL, AskCalendarText(*m_pHost, kCalMonthName, month, m_japaneseNames));
}

void CScheduleDialog::ShowDayLabel(int day, int weekday) {
  char text[kDayLabelSize];
  FormatDayLabel(day, AskCalendarText(*m_pHost, kCalWeekdayName, weekday, m_japaneseNames), text);
  SetDlgItemText(IDC_DAY_LABEL, text);
}

void CScheduleDialog::ApplyTheme(int themeIndex) {
  const ColourTheme* theme = FindColourTheme(themeIndex);
  if (theme == nullptr) return;
  m_coverBitmap->LoadBitmap(theme->coverBitmapId);
  m_toolTip.SetTipBkColor(theme->background);
}

void CScheduleDialog::ApplySettings() {
  RECT window;
  GetWindowRect(m_hWnd, &window);
  PlaceWithClientArea(m_hWnd, window.left, window.top);
  m_calendarRect = {kCalendarArea.left, kCalendarArea.top, kCalendarArea.right, kCalendarArea.bottom};
  const MonthView view = m_session.View();
  LocateDayCell(view.dayGrid, view.selectedDay);

  m_japaneseNames = ReadSettingInt("DspLanguage");
  ShowMonthLabel();
  ShowDayLabel(view.selectedDay, view.selectedWeekday);

  m_coverBitmap->DeleteObject();
  ApplyTheme(ReadSettingInt("BackColor"));
  ::SendMessageW(GetDlgItem(IDC_COVER), BM_SETIMAGE, IMAGE_BITMAP,
                 reinterpret_cast<LPARAM>(m_coverBitmap->GetSafeHandle()));

  bool covered = ReadSettingInt("DspDiaryCover") != 0;
  ::ShowWindow(GetDlgItem(IDC_COVER), covered ? SW_SHOW : SW_HIDE);
  ::ShowWindow(GetDlgItem(IDC_MEMO), covered ? SW_HIDE : SW_SHOW);

  ::InvalidateRect(GetDlgItem(IDC_SCHEDULE_BAR), nullptr, TRUE);
  ::InvalidateRect(GetDlgItem(IDC_MEMO_BAR), nullptr, TRUE);
  Invalidate(true);
}

HBRUSH CScheduleDialog::OnCtlColor(HDC dc, HWND control, HBRUSH defaultBrush) {
  // In high contrast the day page keeps the system's colours too.
  if (IsHighContrastOn()) return defaultBrush;
  if (control == m_yearLabel.m_hWnd) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kYearLabelColour);
  } else if (control == m_monthLabel.m_hWnd) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kMonthLabelColour);
  } else if (control == m_dayLabel.m_hWnd) {
    SetBkMode(dc, TRANSPARENT);
    const MonthView view = m_session.View();
    bool holiday = AskIsHoliday(*m_pHost, view.year, view.month, view.selectedDay);
    COLORREF colour = holiday ? kHolidayColour : ColumnTextColour(view.selectedWeekday);
    SetTextColor(dc, colour);
  } else if (control == m_scheduleLabel.m_hWnd || control == m_memoLabel.m_hWnd) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kHeadingTextColour);
    int theme = ReadSettingInt("BackColor");
    if (FindColourTheme(theme) != nullptr) return m_themeBrush[theme].GetSafeHandle();
  }
  return defaultBrush;
}
