#pragma once
// What the calendar sync takes from the host each time: whether this PC
// syncs, the reminder lead for the alarms of the book's events, and today.
#include "sync/win/SyncThread.h"
#include "tool/ToolHost.h"

SyncFacts SyncFactsOfHost(CToolHost* host);
