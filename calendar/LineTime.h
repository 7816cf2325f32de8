#pragma once
// The time of day a schedule line is for, as people type it, at its start
// ("10:00 会議", "9:30-11:00 打ち合わせ", "１０：００ 会議", "10時半 電話",
// "午後3時 来客", "10時～11時半 会議") or after its text, set off by a
// space ("歯医者 16:30"). The one reader of times: the export and the
// reminders both read lines through it.
#include <cstddef>
#include <string_view>

constexpr int kMinutesPerDay = 24 * 60;

struct LineTime {
  int startMinute = 0;  // of the day, 0..1439
  bool hasEnd = false;
  int endMinute = 0;  // 0..1440; at or before the start it is on the next day
  // The text without the time: where it begins and how long it is (npos:
  // to the end of the entry).
  size_t titleStart = 0;
  size_t titleLength = std::string_view::npos;
};

// False when the entry (UTF-8) has no time of day. At its start: a time,
// an optional range to another ("-", "~", "～", "〜"), then the end, a space
// or a character that is no letter, digit or colon. A time: H:MM or HH:MM,
// or H時, H時M分, H時半, each with 午前 or 午後 before it or not, in half- or
// full-width digits and colons. A line that begins with a half-width H:MM
// reads as it always has: its range only to another half-width H:MM.
// After the text: a time or range that ends the first line, after a space.
// No time: "10:60", "25時", "1000円", "10時間", "第10時", "会議10:00".
bool ReadLineTime(std::string_view entry, LineTime& time);
