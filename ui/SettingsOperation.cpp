// First cut: the settings operation of the tool.
#include "ui/ScheduleDialog.h"

LRESULT CScheduleDialog::OnSettings(WPARAM, LPARAM) { return 0; }
