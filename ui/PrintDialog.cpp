#include "ui/PrintDialog.h"

#include <commctrl.h>

#include <string>

#include "ui/res/PrintResource.h"
#include "win/Text.h"

namespace {

SYSTEMTIME SystemTimeOf(const CalendarDate& date) {
  SYSTEMTIME time = {};
  time.wYear = static_cast<WORD>(date.year);
  time.wMonth = static_cast<WORD>(date.month);
  time.wDay = static_cast<WORD>(date.day);
  return time;
}

CalendarDate DateOfPicker(HWND picker) {
  SYSTEMTIME time = {};
  if (::SendMessageW(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time)) != GDT_VALID) return {};
  return {time.wYear, time.wMonth, time.wDay};
}

bool IsChecked(HWND dialog, int id) { return ::IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

}  // namespace

CPrintDialog::CPrintDialog(CWnd* parent, const PrintChoice& choice, int shownYear, int shownMonth,
                           std::string monthName, Preview preview)
    : CDialog(IDD_PRINT, parent),
      m_choice(choice),
      m_shownYear(shownYear),
      m_shownMonth(shownMonth),
      m_monthName(std::move(monthName)),
      m_preview(std::move(preview)) {}

INT_PTR CPrintDialog::DoModal() {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_DATE_CLASSES};
  InitCommonControlsEx(&controls);
  return CDialog::DoModal();
}

BOOL CPrintDialog::OnInitDialog() {
  const std::string month = "この月のカレンダー（" + m_monthName + "）";
  ::SetDlgItemTextW(m_hWnd, IDC_PRINT_MONTH, WidenCp932(month.c_str()).c_str());
  ::CheckRadioButton(m_hWnd, IDC_PRINT_MONTH, IDC_PRINT_DIARY,
                     m_choice.kind == PrintKind::kMonth ? IDC_PRINT_MONTH : IDC_PRINT_DIARY);
  ::CheckRadioButton(m_hWnd, IDC_PRINT_WHOLE_MONTH, IDC_PRINT_RANGE,
                     m_choice.wholeMonth ? IDC_PRINT_WHOLE_MONTH : IDC_PRINT_RANGE);
  ::CheckDlgButton(m_hWnd, IDC_PRINT_EMPTY_DAYS, m_choice.withEmptyDays ? BST_CHECKED : BST_UNCHECKED);
  CalendarDate from;
  CalendarDate to;
  DiaryRange(m_choice, m_shownYear, m_shownMonth, from, to);
  SYSTEMTIME first = SystemTimeOf(from);
  SYSTEMTIME last = SystemTimeOf(to);
  ::SendMessageW(GetDlgItem(IDC_PRINT_FROM), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&first));
  ::SendMessageW(GetDlgItem(IDC_PRINT_TO), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&last));
  EnableRange();
  return TRUE;
}

BOOL CPrintDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam);
  if (HIWORD(wParam) == BN_CLICKED && id >= IDC_PRINT_MONTH && id <= IDC_PRINT_RANGE) {
    EnableRange();
    return TRUE;
  }
  if (HIWORD(wParam) == BN_CLICKED && id == IDC_PRINT_PREVIEW) {
    const std::string wrong = ReadChoice();
    if (!wrong.empty()) {
      MessageBoxW(m_hWnd, WidenCp932(wrong.c_str()).c_str(), L"印刷", MB_OK | MB_ICONEXCLAMATION);
    } else if (m_preview) {
      m_preview(m_hWnd, m_choice);
    }
    return TRUE;
  }
  return CDialog::OnCommand(wParam, lParam);
}

void CPrintDialog::OnOK() {
  const std::string wrong = ReadChoice();
  if (!wrong.empty()) {
    MessageBoxW(m_hWnd, WidenCp932(wrong.c_str()).c_str(), L"印刷", MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  EndDialog(IDOK);
}

std::string CPrintDialog::ReadChoice() {
  m_choice.kind = IsChecked(m_hWnd, IDC_PRINT_DIARY) ? PrintKind::kDiary : PrintKind::kMonth;
  m_choice.wholeMonth = !IsChecked(m_hWnd, IDC_PRINT_RANGE);
  m_choice.withEmptyDays = IsChecked(m_hWnd, IDC_PRINT_EMPTY_DAYS);
  m_choice.from = DateOfPicker(GetDlgItem(IDC_PRINT_FROM));
  m_choice.to = DateOfPicker(GetDlgItem(IDC_PRINT_TO));
  return CheckPrintChoice(m_choice, m_shownYear, m_shownMonth);
}

void CPrintDialog::EnableRange() {
  const bool diary = IsChecked(m_hWnd, IDC_PRINT_DIARY);
  const bool range = diary && IsChecked(m_hWnd, IDC_PRINT_RANGE);
  for (int id : {IDC_PRINT_WHOLE_MONTH, IDC_PRINT_RANGE, IDC_PRINT_EMPTY_DAYS}) ::EnableWindow(GetDlgItem(id), diary);
  for (int id : {IDC_PRINT_FROM, IDC_PRINT_TO}) ::EnableWindow(GetDlgItem(id), range);
}
