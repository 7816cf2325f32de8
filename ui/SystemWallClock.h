#pragma once
// The PC's own clock, local time, as the reminders take it.
#include "reminders/WallTime.h"
#include "win/WinHeaders.h"

class CSystemWallClock : public IWallClock {
 public:
  WallTime Now() override {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return {{now.wYear, now.wMonth, now.wDay}, (now.wHour * 60 + now.wMinute) * kSecondsPerMinute + now.wSecond};
  }
};
