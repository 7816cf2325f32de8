// The day page: what it shows of the selected day, and how the edits and
// calendar clicks store into and select from the month on display.
#include "ui/ScheduleDialog.h"
#include "ui/core/CalendarGeometry.h"
#include "ui/res/resource.h"
#include "win/EditText.h"
#include "win/Text.h"

namespace {

// How long a save on the host's thread waits for the window to store the text being typed.
constexpr UINT kBusyWindowWaitMs = 1000;

PixelRect AsPixelRect(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

}  // namespace

void CScheduleDialog::ShowDayPage(const MonthView& view) {
  const DayRecord record = m_session.Day(view.selectedDay);
  ShowDayLabel(view.selectedDay, view.selectedWeekday);
  // Nothing can be typed into a month that could not be read, so nothing is lost.
  const bool editable = !view.IsProtected();
  for (int slot = 1; slot <= kSealSlots; ++slot) {
    SetSealSlotImage(record.nSeal[slot - 1], slot);
    ::EnableWindow(GetDlgItem(IDC_SEAL_SLOT1 + slot - 1), editable);
  }
  for (int id = IDC_LINE1; id <= IDC_MEMO; ++id) {
    HWND box = GetDlgItem(id);
    // Only a change: the edit control restyles itself even when nothing changes.
    const bool readOnly = (::GetWindowLongW(box, GWL_STYLE) & ES_READONLY) != 0;
    if (readOnly == editable) ::SendMessageW(box, EM_SETREADONLY, !editable, 0);
  }
  ReplaceEditTextCp932(GetDlgItem(IDC_LINE1), record.szLine[0]);
  ::SetFocus(GetDlgItem(IDC_LINE1));
  for (int line = 1; line < kLineCount; ++line) {
    ReplaceEditTextCp932(GetDlgItem(IDC_LINE1 + line), record.szLine[line]);
  }
  ReplaceEditTextCp932(GetDlgItem(IDC_MEMO), record.szMemo);
  bool covered = ReadSettingInt("DspDiaryCover") != 0;
  ::ShowWindow(GetDlgItem(IDC_COVER), covered ? SW_SHOW : SW_HIDE);
  ::ShowWindow(GetDlgItem(IDC_MEMO), covered ? SW_HIDE : SW_SHOW);
}

void CScheduleDialog::SetSealSlotImage(int code, int slot) {
  std::optional<SealCode>& shown = m_slotSealShown[slot - 1];
  if (shown == code) return;
  HWND control = GetDlgItem(IDC_SEAL_SLOT1 + slot - 1);
  CBitmap* bitmap = m_slotBitmaps[kSealSlots - slot];
  intptr_t bitmapId = LookupSeal(code, kSealKeyCode, kSealFieldBitmapId);
  const char* name = reinterpret_cast<const char*>(LookupSeal(code, kSealKeyCode, kSealFieldName));
  // A code from a damaged file that no seal has: no picture and no name.
  HBITMAP picture = nullptr;
  if (bitmapId != kNoSealRow) {
    CBitmap loaded;
    if (loaded.LoadBitmap(static_cast<int>(bitmapId))) picture = loaded.Detach();
  }
  ::SendMessageW(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
  bitmap->Attach(picture);
  m_toolTip.SetToolText(control, name != nullptr ? name : "");
  // A picture that could not be loaded is tried again the next time.
  shown = bitmapId == kNoSealRow || picture != nullptr ? std::optional<SealCode>(code) : std::nullopt;
}

void CScheduleDialog::LocateDayCell(const MonthGrid& grid, int day) {
  for (int row = 0; row < MonthGrid::kRows; ++row) {
    for (int column = 0; column < MonthGrid::kColumns; ++column) {
      if (day <= 0 || grid.At(row, column) != day) continue;
      PixelRect cell = SelectionRect(AsPixelRect(m_calendarRect), column, row);
      m_selectedCellRect = {cell.left, cell.top, cell.right, cell.bottom};
      return;
    }
  }
}

void CScheduleDialog::OnCalendarClick(POINT point) {
  ::SetFocus(GetDlgItem(IDC_YEAR_SPIN));
  std::optional<GridCell> cell = HitCell(AsPixelRect(m_calendarRect), point.x, point.y);
  if (!cell) return;
  SelectShownDay(m_session.View().dayGrid.At(cell->row, cell->column), cell->column);
}

void CScheduleDialog::SelectShownDay(int day, int column) {
  RECT kept = m_selectedCellRect;
  const MonthGrid grid = m_session.View().dayGrid;
  // Outside the month, or a grid the table cannot hold.
  if (day == 0 || !m_session.SelectDay(day, column)) return;
  ShowDayPage(m_session.View());
  LocateDayCell(grid, day);
  InvalidateRect(kept, true);
  InvalidateRect(m_selectedCellRect, true);
}

void CScheduleDialog::OnLineKillFocus(int line) { StoreAndShowEditText(IDC_LINE1 + line - 1); }

void CScheduleDialog::OnMemoKillFocus() { StoreAndShowEditText(IDC_MEMO); }

bool CScheduleDialog::StoreEditText(int controlId, std::string& kept) {
  const CString typed = GetWindowTextCp932(GetDlgItem(controlId));
  // The record's own setter rule: 127 or 255 bytes, never half a character.
  if (controlId == IDC_MEMO) {
    char memo[kMemoSize];
    if (!m_session.StoreMemo(typed, memo)) return false;
    kept = memo;
  } else {
    char line[kLineSize];
    if (!m_session.StoreLine(controlId - IDC_LINE1, typed, line)) return false;
    kept = line;
    // A line typed, changed or cleared: what is due is asked again.
    PokeReminders();
  }
  if (m_session.HasUnwritten()) NoteStoredForSync();
  InvalidateRect(m_selectedCellRect, true);
  return true;
}

void CScheduleDialog::StoreAndShowEditText(int controlId) {
  std::string kept;
  if (!StoreEditText(controlId, kept)) return;
  HWND box = GetDlgItem(controlId);
  const std::wstring shown = WidenCp932(kept.c_str());
  // Laying out a text again costs an edit control far more than comparing it.
  if (GetWindowTextWide(box) != shown) {
    ::SetWindowTextW(box, shown.c_str());
    return;
  }
  // Left as a text set anew would be: from its start, with nothing to undo.
  ::SendMessageW(box, EM_SETSEL, 0, 0);
  ::SendMessageW(box, EM_SCROLLCARET, 0, 0);
  ::SendMessageW(box, EM_EMPTYUNDOBUFFER, 0, 0);
  ::SendMessageW(box, EM_SETMODIFY, FALSE, 0);
}

void CScheduleDialog::StoreFocusedText() {
  HWND focus = ::GetFocus();
  const int id = focus != nullptr && ::GetParent(focus) == m_hWnd ? ::GetDlgCtrlID(focus) : 0;
  std::string kept;
  if (id >= IDC_LINE1 && id <= IDC_MEMO) StoreEditText(id, kept);
}

void CScheduleDialog::StoreTypingBeforeSave() {
  HWND window = m_hWnd;
  if (window == nullptr) return;
  if (IsOnCallingThread()) {
    StoreFocusedText();
    return;
  }
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(window, WM_TOOL_STOREFOCUSEDTEXT, 0, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG, kBusyWindowWaitMs,
                      &ignored);
}

void CScheduleDialog::OnCoverClicked() {
  ::ShowWindow(GetDlgItem(IDC_COVER), SW_HIDE);
  ::ShowWindow(GetDlgItem(IDC_MEMO), SW_SHOW);
  ::SetFocus(GetDlgItem(IDC_MEMO));
}
