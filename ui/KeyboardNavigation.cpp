// The day page from the keyboard: days and months wherever the focus is,
// each step as the click or the spinner it stands for, the seal slots,
// Ctrl+R in a line box, which repeats the line, and Ctrl+P, which prints.
#include <algorithm>
#include <iterator>

#include "ui/ScheduleDialog.h"
#include "ui/res/resource.h"
#include "win/FocusMark.h"

namespace {

constexpr int kDaysInWeek = 7;

// With Alt: a day, a week or a month either way; Home is today.
struct NavigationKey {
  WPARAM key;
  int days;
  int months;
};

constexpr NavigationKey g_NavigationKeys[] = {
    {VK_LEFT, -1, 0},  {VK_RIGHT, 1, 0}, {VK_UP, -kDaysInWeek, 0}, {VK_DOWN, kDaysInWeek, 0},
    {VK_PRIOR, 0, -1}, {VK_NEXT, 0, 1},  {VK_HOME, 0, 0},
};

bool IsKeyDown(int key) { return GetKeyState(key) < 0; }

// Alt alone with the key: Ctrl+Alt is AltGr on many layouts.
bool IsAltOnly(const MSG& msg) {
  return msg.message == WM_SYSKEYDOWN && (HIWORD(msg.lParam) & KF_ALTDOWN) != 0 && !IsKeyDown(VK_CONTROL) &&
         !IsKeyDown(VK_SHIFT);
}

int LastDay(const MonthGrid& grid) { return *std::max_element(std::begin(grid.cells), std::end(grid.cells)); }

// The day's weekday is its grid column.
void SelectGridDay(CScheduleDialog& dialog, int day) {
  const MonthGrid grid = dialog.m_session.View().dayGrid;
  const auto cell = std::find(std::begin(grid.cells), std::end(grid.cells), day);
  if (day > 0 && cell != std::end(grid.cells)) {
    dialog.SelectShownDay(day, static_cast<int>(cell - std::begin(grid.cells)) % MonthGrid::kColumns);
  }
}

}  // namespace

bool CScheduleDialog::PreTranslateKey(const MSG& msg) {
  if (msg.hwnd != m_hWnd && !::IsChild(m_hWnd, msg.hwnd)) return false;
  const int id = msg.hwnd != m_hWnd ? ::GetDlgCtrlID(msg.hwnd) : 0;
  if (msg.message == WM_KEYDOWN && (msg.wParam == VK_SPACE || msg.wParam == VK_RETURN) && id >= IDC_SEAL_SLOT1 &&
      id <= IDC_SEAL_SLOT4) {
    SendMessage(WM_COMMAND, MAKEWPARAM(id, STN_CLICKED), reinterpret_cast<LPARAM>(msg.hwnd));
    // Back on its slot, so the next key works the seal just chosen.
    if (IsWindow() && ::IsWindowEnabled(msg.hwnd)) ::SetFocus(msg.hwnd);
    return true;
  }
  if (msg.message == WM_KEYDOWN && msg.wParam == 'R' && IsKeyDown(VK_CONTROL) && !IsKeyDown(VK_SHIFT) &&
      !IsKeyDown(VK_MENU) && id >= IDC_LINE1 && id <= IDC_LINE5) {
    OpenRepeatDialog(id - IDC_LINE1);
    return true;
  }
  // Alt let go after one of these keys is no Alt alone, which would put the
  // window into its menu and take the next key. Let go before the arrow, it
  // comes as a plain key-up.
  if ((msg.message == WM_SYSKEYUP || msg.message == WM_KEYUP) && msg.wParam == VK_MENU && m_altKeyUsed) {
    m_altKeyUsed = false;
    return true;
  }
  constexpr LPARAM kKeyWasDown = LPARAM{1} << 30;  // a repeat of a key held down
  if (msg.message == WM_SYSKEYDOWN && msg.wParam == VK_MENU && (msg.lParam & kKeyWasDown) == 0) m_altKeyUsed = false;
  if (msg.message == WM_KEYDOWN && msg.wParam == 'P' && IsKeyDown(VK_CONTROL) && !IsKeyDown(VK_SHIFT) &&
      !IsKeyDown(VK_MENU)) {
    m_printing.PrintWithDialogs();
    return true;
  }
  if (!IsAltOnly(msg)) return false;
  const auto key = std::find_if(std::begin(g_NavigationKeys), std::end(g_NavigationKeys),
                                [&](const NavigationKey& entry) { return entry.key == msg.wParam; });
  if (key == std::end(g_NavigationKeys)) return false;
  m_altKeyUsed = true;
  // The box being typed in stores its text into the day it was typed for.
  ::SetFocus(GetDlgItem(IDC_YEAR_SPIN));
  if (key->months != 0) {
    StepMonths(key->months);
  } else if (key->days != 0) {
    StepDays(key->days);
  } else {
    ShowToday();
  }
  return true;
}

void CScheduleDialog::MarkSealSlotFocus() {
  for (int id = IDC_SEAL_SLOT1; id <= IDC_SEAL_SLOT4; ++id) MarkKeyboardFocus(GetDlgItem(id), m_toolTip);
}

void CScheduleDialog::StepDays(int days) {
  const MonthView view = m_session.View();
  const int last = LastDay(view.dayGrid);
  if (last == 0) return;  // a grid without days: nothing to step within
  int day = view.selectedDay + days;
  // A month that could not be saved is not left.
  if (day > last) {
    if (StepMonths(1) != 0) return;
    day -= last;
  } else if (day < 1) {
    if (StepMonths(-1) != 0) return;
    day += LastDay(m_session.View().dayGrid);
  }
  SelectGridDay(*this, day);
}

void CScheduleDialog::ShowToday() {
  const int year = static_cast<int>(m_pHost->CalendarQuery(kCalTodayYear, 0, 0));
  const int month = static_cast<int>(m_pHost->CalendarQuery(kCalTodayMonth, 0, 0));
  const int day = static_cast<int>(m_pHost->CalendarQuery(kCalTodayDay, 0, 0));
  ShowDate(year, month, day);
}

void CScheduleDialog::ShowDate(int year, int month, int day) {
  month = std::clamp(month, 1, MonthView::kMonthsInYear);
  const MonthView view = m_session.View();
  const int months = (year - view.year) * MonthView::kMonthsInYear + (month - view.month);
  if (months != 0 && StepMonths(months) != 0) return;
  SelectGridDay(*this, std::clamp(day, 1, std::max(1, LastDay(m_session.View().dayGrid))));
}
