#pragma once
// A control named for screen readers by what it is, where the system's
// own proxy would give it a neighbouring label or nothing at all (a
// picture, an edit under a shared heading). Everything else a client
// asks is the system proxy's answer. A later name replaces the first and
// is told as a name change. On the control's thread.
#include <string>

#include "win/WinHeaders.h"

// What the control is, where the proxy would say otherwise: a picture that
// the keyboard presses is a button.
enum class AccessibleRole { kAsSystemSays, kPushButton };

void SetAccessibleName(HWND control, const std::wstring& name, AccessibleRole role = AccessibleRole::kAsSystemSays);

// An alert, told without taking the keyboard: a screen reader reads the
// window out as it comes up.
void AnnounceAlert(HWND window);
