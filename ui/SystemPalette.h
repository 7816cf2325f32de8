#pragma once
// The calendar's colours as the system asks for them now: its theme's, or
// the system's own where high contrast is on.
#include "ui/core/CalendarColours.h"

bool IsHighContrastOn();
CalendarPalette CurrentCalendarPalette(int themeIndex);
