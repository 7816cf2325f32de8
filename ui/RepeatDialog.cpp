#include "ui/RepeatDialog.h"

#include "ui/res/resource.h"
#include "win/Text.h"

namespace {

constexpr int g_OptionIds[kRepeatOptions] = {
    IDC_REPEAT_DAILY,
    IDC_REPEAT_WEEKLY,
    IDC_REPEAT_MONTH_DATE,
    IDC_REPEAT_MONTH_WEEKDAY,
    IDC_REPEAT_MONTH_LAST_WEEKDAY,
    IDC_REPEAT_MONTH_END,
    IDC_REPEAT_YEARLY,
};
constexpr int kWeekdays = 7;

bool IsChecked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

void Check(HWND dialog, int id, bool checked) { CheckDlgButton(dialog, id, checked ? BST_CHECKED : BST_UNCHECKED); }

void SetText(HWND dialog, int id, const std::string& cp932) {
  const std::wstring text = WidenCp932(cp932.c_str());
  // Only a change: an edit being typed in keeps its caret.
  if (GetWindowTextWide(GetDlgItem(dialog, id)) != text) SetDlgItemTextW(dialog, id, text.c_str());
}

std::string TextOf(HWND dialog, int id) { return GetWindowTextCp932(GetDlgItem(dialog, id)).str(); }

}  // namespace

CRepeatDialog::CRepeatDialog(CWnd* parent, CRepeatForm& form, IBookMonths& months, CHostHolidays& holidays)
    : CDialog(IDD_REPEAT, parent), m_form(form), m_months(months), m_holidays(holidays) {}

BOOL CRepeatDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  m_showing = true;
  SetText(m_hWnd, IDC_REPEAT_LINE, m_form.LineLabel());
  SetText(m_hWnd, IDC_REPEAT_START, m_form.StartLabel());
  for (int option = 0; option < kRepeatOptions; ++option) {
    const auto which = static_cast<RepeatOption>(option);
    SetText(m_hWnd, g_OptionIds[option], m_form.OptionLabel(which));
    ::EnableWindow(GetDlgItem(g_OptionIds[option]), m_form.IsOffered(which));
    Check(m_hWnd, g_OptionIds[option], which == m_form.m_option);
  }
  for (int day = 0; day < kWeekdays; ++day) Check(m_hWnd, IDC_REPEAT_SUNDAY + day, (m_form.m_weekdays >> day) & 1u);
  SetText(m_hWnd, IDC_REPEAT_INTERVAL, m_form.m_intervalText);
  SetText(m_hWnd, IDC_REPEAT_UNTIL, m_form.m_untilText);
  SetText(m_hWnd, IDC_REPEAT_COUNT, m_form.m_countText);
  Check(m_hWnd, IDC_REPEAT_BY_DATE, !m_form.m_byCount);
  Check(m_hWnd, IDC_REPEAT_BY_COUNT, m_form.m_byCount);
  Check(m_hWnd, IDC_REPEAT_HOLIDAYS, m_form.m_skipHolidays);
  m_showing = false;
  ShowForm();
  return TRUE;
}

BOOL CRepeatDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
  const int code = HIWORD(wParam);
  if (!m_showing && (code == BN_CLICKED || code == EN_CHANGE) && LOWORD(wParam) >= IDC_REPEAT_LINE &&
      LOWORD(wParam) <= IDC_REPEAT_PREVIEW) {
    ReadControls();
    ShowForm();
    return TRUE;
  }
  return CDialog::OnCommand(wParam, lParam);
}

void CRepeatDialog::ReadControls() {
  for (int option = 0; option < kRepeatOptions; ++option) {
    if (IsChecked(m_hWnd, g_OptionIds[option])) m_form.m_option = static_cast<RepeatOption>(option);
  }
  m_form.m_weekdays = 0;
  for (int day = 0; day < kWeekdays; ++day) {
    if (IsChecked(m_hWnd, IDC_REPEAT_SUNDAY + day)) m_form.m_weekdays |= 1u << day;
  }
  m_form.m_intervalText = TextOf(m_hWnd, IDC_REPEAT_INTERVAL);
  m_form.m_untilText = TextOf(m_hWnd, IDC_REPEAT_UNTIL);
  m_form.m_countText = TextOf(m_hWnd, IDC_REPEAT_COUNT);
  m_form.m_byCount = IsChecked(m_hWnd, IDC_REPEAT_BY_COUNT);
  m_form.m_skipHolidays = IsChecked(m_hWnd, IDC_REPEAT_HOLIDAYS);
}

void CRepeatDialog::ShowForm() {
  m_showing = true;
  const bool weekly = m_form.m_option == RepeatOption::kWeekly;
  for (int day = 0; day < kWeekdays; ++day) ::EnableWindow(GetDlgItem(IDC_REPEAT_SUNDAY + day), weekly);
  ::EnableWindow(GetDlgItem(IDC_REPEAT_UNTIL), !m_form.m_byCount);
  ::EnableWindow(GetDlgItem(IDC_REPEAT_COUNT), m_form.m_byCount);
  SetText(m_hWnd, IDC_REPEAT_UNIT, m_form.IntervalUnit());
  RepeatChoices choices;
  const bool ready = m_form.Choices(choices);
  if (ready) {
    m_days = DaysOfRepeat(choices, m_form.Shown(), [this](int day) { return m_holidays.IsHoliday(day); });
    SetText(m_hWnd, IDC_REPEAT_PREVIEW, m_form.PreviewText(m_days, m_months));
  } else {
    m_days = RepeatDays();
    SetText(m_hWnd, IDC_REPEAT_PREVIEW, m_form.Problem());
  }
  ::EnableWindow(GetDlgItem(IDOK), ready);
  m_showing = false;
}

void CRepeatDialog::OnOK() {
  ReadControls();
  RepeatChoices choices;
  // Return in a box whose text is wrong does nothing: the preview says why.
  if (!m_form.Choices(choices)) return;
  ShowForm();
  EndDialog(IDOK);
}
