#include "ui/ReminderWindow.h"

#include <mmsystem.h>
#include <algorithm>

#include "reminders/ReminderText.h"
#include "ui/ReminderAccessible.h"
#include "ui/res/resource.h"
#include "win/Gdi.h"
#include "win/Text.h"

namespace {

constexpr int kCornerMargin = 12;
constexpr int kListMargin = 8;

// The sound of the system's notices; a beep where it has none.
void PlayNotificationSound() {
  if (!PlaySoundW(L"Notification.Default", nullptr, SND_ALIAS | SND_ASYNC | SND_NODEFAULT)) {
    MessageBeep(MB_ICONASTERISK);
  }
}

// Pixels, in the list's own font: enough to scroll to the end of the longest line.
int WidestLine(HWND list, const std::vector<std::wstring>& lines) {
  HDC dc = ::GetDC(list);
  if (dc == nullptr) return 0;
  int widest = 0;
  {
    CSelectObject font(dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(list, WM_GETFONT, 0, 0)));
    for (const std::wstring& line : lines) {
      SIZE size = {};
      if (GetTextExtentPoint32W(dc, line.c_str(), static_cast<int>(line.size()), &size)) {
        widest = std::max(widest, static_cast<int>(size.cx) + kListMargin);
      }
    }
  }
  ::ReleaseDC(list, dc);
  return widest;
}

}  // namespace

CReminderWindow::CReminderWindow() : CDialog(IDD_REMINDER, nullptr) {}

void CReminderWindow::SetHandlers(std::function<void()> dismiss, std::function<void()> snooze,
                                  std::function<void(size_t line)> showDay, std::function<bool(UINT, WPARAM)> other) {
  m_dismiss = std::move(dismiss);
  m_snooze = std::move(snooze);
  m_showDay = std::move(showDay);
  m_other = std::move(other);
}

INT_PTR CReminderWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_other && message != WM_INITDIALOG && message != WM_COMMAND && m_other(message, wParam)) {
    return SetDialogResult(m_hWnd, TRUE);
  }
  return CDialog::WindowProc(message, wParam, lParam);
}

BOOL CReminderWindow::OnInitDialog() {
  m_lines.clear();
  // No focus is set: that would activate the window. Brought to the front,
  // it gives the focus to its first control, the default button.
  return FALSE;
}

void CReminderWindow::Show(const std::vector<DueReminder>& board, bool announce) {
  if (board.empty()) {
    if (IsWindow()) ShowWindow(SW_HIDE);
    return;
  }
  if (!IsWindow()) return;
  std::vector<std::wstring> lines;
  for (const DueReminder& due : board) lines.push_back(WidenCp932(ReminderItemText(due).c_str()));
  if (lines != m_lines) {
    HWND list = GetDlgItem(IDC_REMINDER_LIST);
    ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const std::wstring& line : lines) {
      ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    }
    ::SendMessageW(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(WidestLine(list, lines)), 0);
    ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(list, nullptr, TRUE);
    m_lines = std::move(lines);
  }
  ::SetWindowTextW(m_hWnd, WidenCp932(ReminderTitle(board).c_str()).c_str());
  NameReminderWindow(m_hWnd, GetDlgItem(IDC_REMINDER_LIST), m_lines);
  if (!::IsWindowVisible(m_hWnd)) {
    PlaceInCorner();
    // Never activated: the box being typed in keeps the keyboard.
    ::ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
  }
  if (announce) {
    PlayNotificationSound();
    AnnounceAlert(m_hWnd);
  }
}

void CReminderWindow::PlaceInCorner() {
  RECT area;
  RECT window;
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0) || !GetWindowRect(m_hWnd, &window)) return;
  const int x = area.right - (window.right - window.left) - kCornerMargin;
  const int y = area.bottom - (window.bottom - window.top) - kCornerMargin;
  ::SetWindowPos(m_hWnd, HWND_TOPMOST, x, y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}

void CReminderWindow::OnOK() {
  if (m_dismiss) m_dismiss();
}

void CReminderWindow::OnCancel() {
  if (m_dismiss) m_dismiss();
}

BOOL CReminderWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam);
  if (id == IDC_REMINDER_SNOOZE && HIWORD(wParam) == BN_CLICKED) {
    if (m_snooze) m_snooze();
    return TRUE;
  }
  if (id == IDC_REMINDER_LIST && HIWORD(wParam) == LBN_SELCHANGE) {
    HWND list = reinterpret_cast<HWND>(lParam);
    const LRESULT line = ::SendMessageW(list, LB_GETCURSEL, 0, 0);
    // Unselected again, so that another click on the same line is heard too.
    ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    if (line >= 0 && m_showDay) m_showDay(static_cast<size_t>(line));
    return TRUE;
  }
  return CDialog::OnCommand(wParam, lParam);
}
