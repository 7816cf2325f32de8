#pragma once
// The schedule window worked as a user works it, by real messages: the
// spinners, the focus, typing, and the message boxes it shows.
#include <string>

#include "tests/windows/ToolHarness.h"

constexpr int kForward = -1;  // the right arrow of a default-range spinner
constexpr int kBack = 1;

constexpr LRESULT kSpinTimedOut = -1;

// A spinner's UDN_DELTAPOS, sent; the handler's result, or kSpinTimedOut
// when the handler still waits (for a box) after ten seconds.
LRESULT Spin(const CToolHarness& harness, int spinnerId, int delta);
// Focus moves on the window's own thread, as a click or Tab would move it.
void FocusControl(const CToolHarness& harness, int id);
void Type(const CToolHarness& harness, int id, const char* cp932Text);
// Key by key, as the keyboard types: the control gets the focus unless it
// has it, then each character goes through the window's own loop as WM_CHAR.
void TypeKeys(const CToolHarness& harness, int id, const std::wstring& text);
// The month session's writer has written everything stored, within the timeout.
bool WaitUntilWritten(const CToolHarness& harness, DWORD timeoutMs = 10000);
// The control that has the keyboard focus on the window's thread.
HWND FocusedControl(const CToolHarness& harness);
// The message box the window owns, or nullptr.
HWND FindOwnedMessageBox(HWND owner);
// The box's text once it has one (it comes a moment after the box).
std::wstring MessageBoxText(HWND box);
