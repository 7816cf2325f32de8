// A click on one of the day page's four seal slots: the picker, then the
// chosen seal stored into the selected day.
#include "ui/ScheduleDialog.h"
#include "ui/res/resource.h"

void CScheduleDialog::OnSealSlotClicked(int slot) {
  if (slot < 1 || slot > kSealSlots) return;
  {
    std::lock_guard<std::recursive_mutex> lock(m_monthLock);
    if (m_selectedDay < 1 || m_selectedDay > kDaysInTable) return;
    m_pendingSealSlot = slot;
    m_pendingSealField = &m_monthTable.Day(m_selectedDay).nSeal[slot - 1];
  }
  m_sealPicker.SetScheduleWindow(this);
  INT_PTR result = IDCANCEL;
  {
    CModalScope modal(*this);
    result = m_sealPicker.DoModal();
  }
  // Closed under the picker: teardown has freed what the rest would touch.
  if (!IsWindow()) return;
  ::SetFocus(GetDlgItem(IDC_COVER));
  if (result == IDCANCEL) return;
  int code = m_sealPicker.GetSealCode();
  {
    std::lock_guard<std::recursive_mutex> lock(m_monthLock);
    *m_pendingSealField = code;
  }
  SetSealSlotImage(code, m_pendingSealSlot);
  InvalidateRect(m_selectedCellRect, true);
}
