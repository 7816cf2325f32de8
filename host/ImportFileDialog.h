#pragma once
// The standard open dialog asking for the calendar file to import.
#include <string>

#include "win/WinHeaders.h"

// False when the user cancelled (or the dialog could not be shown).
bool AskImportSource(HWND owner, std::wstring& path);
