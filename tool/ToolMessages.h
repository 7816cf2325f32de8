#pragma once
// The tool's private window messages, all above WM_USER (0x0400).
constexpr unsigned kWmUser = 0x0400;
constexpr unsigned WM_TOOL_SETTINGS = kWmUser + 100;      // to the tool window
constexpr unsigned WM_TOOL_ACTIVATED = kWmUser + 106;     // to the host window, sent
constexpr unsigned WM_TOOL_READY = kWmUser + 107;         // to the host window, posted
constexpr unsigned WM_TOOL_CLOSING = kWmUser + 108;       // to the host window, sent
constexpr unsigned WM_TOOL_SEARCHRESULT = kWmUser + 111;  // to the result window, sent
// Posted by the tool window to itself: a box to show once the window is free.
constexpr unsigned WM_TOOL_MONTHUNREADABLE = kWmUser + 120;  // wParam year, lParam month
constexpr unsigned WM_TOOL_SAVEFAILED = kWmUser + 121;
constexpr unsigned WM_TOOL_COPYKEPT = kWmUser + 126;  // wParam year, lParam month
// The month file changed on disk; another version was kept as a file.
constexpr unsigned WM_TOOL_MONTHARRIVED = kWmUser + 127;
constexpr unsigned WM_TOOL_MERGEKEPT = kWmUser + 128;
// Sent to the tool window by a settings dialog run on the host's thread.
constexpr unsigned WM_TOOL_APPLYSETTINGS = kWmUser + 122;
// Sent to the tool window by a save on another thread: the focused box's text is stored first.
constexpr unsigned WM_TOOL_STOREFOCUSEDTEXT = kWmUser + 125;
// Posted by the tool window's repeat thread to the window: the repeated line is written.
constexpr unsigned WM_TOOL_REPEATENDED = kWmUser + 140;
// Posted to the reminder window by the reminders' watch and the tool: look again.
constexpr unsigned WM_TOOL_REMINDERS = kWmUser + 130;
// Posted by the calendar sync's thread to the tool window: a sync ended.
constexpr unsigned WM_TOOL_SYNCED = kWmUser + 150;
// Posted by the sync setup dialog's thread to the dialog: the server answered.
constexpr unsigned WM_TOOL_SYNCJOBDONE = kWmUser + 151;
// Posted to the tool window by the reminders: a line's day to show (wParam its day number).
constexpr unsigned WM_TOOL_SHOWDAY = kWmUser + 131;
// Printing. To the tool window: wParam kPrintWithDialogs (Ctrl+P's way, posted) or
// kPrintWithoutDialogs with lParam a PrintRequest*, sent, to the default printer.
constexpr unsigned WM_TOOL_PRINT = kWmUser + 160;
// Posted by the print thread to the tool window: the job ended.
constexpr unsigned WM_TOOL_PRINTENDED = kWmUser + 161;
// Posted to the host window after a print asked without dialogs: wParam a PrintEnd, lParam the failed page.
constexpr unsigned WM_TOOL_PRINTED = kWmUser + 162;
