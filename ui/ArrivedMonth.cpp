// What arrives in the month's file from elsewhere (a sync client, a second
// host) is shown without disturbing the box being typed in, and what of it
// found no place in the month is told of.
#include <cstdio>
#include <string>

#include "ui/ScheduleDialog.h"
#include "ui/core/CalendarGeometry.h"
#include "ui/res/resource.h"
#include "win/EditText.h"
#include "win/Text.h"

namespace {

constexpr size_t kDaysTextSize = 31 * 8;
constexpr size_t kNoticeSize = 240 + kDaysTextSize + kPathSize;

// "8日、20日"
std::string DaysText(DayMask days) {
  std::string text;
  for (int day = 1; day <= kDaysInTable; ++day) {
    if ((days & (DayMask{1} << (day - 1))) == 0) continue;
    if (!text.empty()) text += "、";
    text += std::to_string(day) + "日";
  }
  return text;
}

}  // namespace

void CScheduleDialog::OnMonthArrived() {
  // Stored first, so that where the other side changed that very field both stay.
  StoreFocusedText();
  const DayMask changed = m_session.TakeInArrived();
  PokeReminders();
  const MonthView view = m_session.View();
  const DayRecord record = m_session.Day(view.selectedDay);
  for (int slot = 1; slot <= kSealSlots; ++slot) SetSealSlotImage(record.nSeal[slot - 1], slot);
  HWND focus = ::GetFocus();
  for (int id = IDC_LINE1; id <= IDC_MEMO; ++id) {
    HWND box = GetDlgItem(id);
    const char* text = id == IDC_MEMO ? record.szMemo : record.szLine[id - IDC_LINE1];
    if (std::string(GetWindowTextCp932(box)) == text) continue;
    if (box != focus) {
      ReplaceEditTextCp932(box, text);
      continue;
    }
    // The box held what the file held, and the file changed it: the caret stays where it can.
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    ReplaceEditTextCp932(box, text);
    ::SendMessageW(box, EM_SETSEL, start, end);
  }
  // Only the cells of the days that changed are painted again.
  const PixelRect area = {m_calendarRect.left, m_calendarRect.top, m_calendarRect.right, m_calendarRect.bottom};
  for (int row = 0; row < MonthGrid::kRows; ++row) {
    for (int column = 0; column < MonthGrid::kColumns; ++column) {
      const int day = view.dayGrid.At(row, column);
      if (day == 0 || (changed & (DayMask{1} << (day - 1))) == 0) continue;
      const PixelRect cell = SelectionRect(area, column, row);
      InvalidateRect(RECT{cell.left, cell.top, cell.right, cell.bottom}, true);
    }
  }
}

void CScheduleDialog::ReportMergeKeptCopies() {
  for (const KeptCopyNotice& notice : m_session.TakeKeptCopyNotices()) {
    char text[kNoticeSize];
    std::snprintf(text, sizeof text,
                  "%d年%d月の%sは、ほかの場所で同じ時に変更された内容をすべては収められませんでした。\n"
                  "届いたﾃﾞｰﾀﾌｧｲﾙを次の場所に残しました。\n%s",
                  notice.year, notice.month, DaysText(notice.days).c_str(), notice.path.c_str());
    CModalScope modal(*this);
    MessageBoxW(m_hWnd, WidenCp932(text).c_str(), WidenCp932(GetTitle()).c_str(), MB_OK | MB_ICONEXCLAMATION);
  }
}
