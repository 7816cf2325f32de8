#pragma once
// The time of day that a schedule line begins with, as people type it:
// "10:00 会議", "9:30-11:00 打ち合わせ", "18:00～21:00 送別会".
#include <cstddef>
#include <string_view>

constexpr int kMinutesPerDay = 24 * 60;

struct LineTime {
  int startMinute = 0;  // of the day, 0..1439
  bool hasEnd = false;
  int endMinute = 0;      // 0..1440; at or before the start it is on the next day
  size_t titleStart = 0;  // where the text after the time and its spaces begins
};

// False when the entry (UTF-8) does not begin with H:MM or HH:MM, and an
// optional range to another, followed by its end, a space or a character
// other than ASCII ("10:00会議"): "10:00am" and "12:30:15" are no times of
// this kind.
bool ReadLineTime(std::string_view entry, LineTime& time);
