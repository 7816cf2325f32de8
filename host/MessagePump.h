#pragma once
// Waiting on the host's thread while its windows keep answering: the tool
// sends to the host window from its own thread, and the search sends lines.
#include <functional>

#include "win/WinHeaders.h"

// Dispatches this thread's messages until done() or the timeout; done()'s last answer.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);
// Dispatches this thread's messages for the given time.
void PumpFor(DWORD ms);
