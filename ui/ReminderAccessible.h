#pragma once
// The reminder window as a screen reader reads it out when it comes up:
// the window named by every line it shows, its list by what it holds.
#include <string>
#include <vector>

#include "win/AccessibleName.h"

void NameReminderWindow(HWND window, HWND list, const std::vector<std::wstring>& lines);
