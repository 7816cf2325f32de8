#pragma once
// The Import command of the host's window: the user picks a calendar, sees
// what it would add and agrees; the schedule window is closed for the
// import, since it writes the month it shows over the file when it leaves
// it, and opened again afterwards.
#include <string>

#include "host/ToolSession.h"
#include "tool/ToolHost.h"

// The status line that says how it ended.
std::wstring RunImportFromWindow(HWND owner, CToolSession& session, const std::wstring& dataDirectory,
                                 const DateRecord& today);
