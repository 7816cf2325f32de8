// First cut: a click on a seal slot; the picker flow comes with the picker.
#include "ui/ScheduleDialog.h"

void CScheduleDialog::OnSealSlotClicked(int) {}
