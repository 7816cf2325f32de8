#pragma once
// The notebook's page in the host's main window: the host stands in for a
// notebook, where the user types while the schedule is open. The page is
// kept as notebook.txt (UTF-8) in the data directory, written on every
// change, so that a script can read what reached it.
#include <string>

#include "win/WinHeaders.h"

void LoadNotebookPage(HWND edit, const std::wstring& dataDirectory);
void SaveNotebookPage(HWND edit, const std::wstring& dataDirectory);
