#pragma once
// The standard save dialog asking where the schedule book goes and in
// which format.
#include <string>

#include "export/BookExport.h"
#include "win/WinHeaders.h"

// False when the user cancelled (or the dialog could not be shown).
bool AskExportTarget(HWND owner, std::wstring& path, ExportFormat& format);
