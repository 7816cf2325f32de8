// A click on one of the day page's four seal slots: the picker, then the
// chosen seal stored into the selected day.
#include "ui/ScheduleDialog.h"
#include "ui/res/resource.h"

void CScheduleDialog::OnSealSlotClicked(int slot) {
  // The slots of a month that could not be read are off; a click that was
  // queued before still changes nothing.
  if (slot < 1 || slot > kSealSlots || m_session.View().IsProtected()) return;
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
  if (!m_session.StoreSeal(slot - 1, code)) return;
  NoteStoredForSync();
  SetSealSlotImage(code, slot);
  InvalidateRect(m_selectedCellRect, true);
}
