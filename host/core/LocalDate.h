#pragma once
// Today's date on the local clock.
#include "tool/ToolHost.h"

// Year, month, weekday and day set; the time fields 0.
DateRecord LocalToday();
