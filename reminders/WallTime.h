#pragma once
// The wall clock: the local date and time as the PC shows them. Due times
// are reckoned from it at every look, never from a countdown alone, so a
// sleep, a clock set anew or another time zone is taken as it is.
#include <cstdint>

#include "calendar/DayNumber.h"

constexpr int kSecondsPerMinute = 60;
constexpr int kSecondsPerDay = 24 * 60 * kSecondsPerMinute;

struct WallTime {
  CalendarDate date;  // a date that exists
  int second;         // of the day, 0..86399
};

// Seconds since the start of day number 0, on the local clock.
inline int64_t WallSecondsOf(int dayNumber, int secondOfDay) {
  return static_cast<int64_t>(dayNumber) * kSecondsPerDay + secondOfDay;
}
inline int64_t WallSecondsOf(const WallTime& time) { return WallSecondsOf(DayNumberOf(time.date), time.second); }

class IWallClock {
 public:
  virtual ~IWallClock() = default;
  virtual WallTime Now() = 0;
};
