#pragma once
// The time of day a schedule line is for, as people write it ("10:00 会議",
// "１０：００ 会議", "午後2時から4時 打合せ", "夜9時 電話", "AM11:00 来客",
// "歯医者 16:30", "打合せ (15:30)"). The one reader of times: the export,
// the reminders and the calendar sync read lines through it.
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
  // "10時まで 提出", "～17時 提出": the start is when it is due; no end.
  bool dueBy = false;
};

// False when the entry (UTF-8) has no time of day.
//
// A time: H:MM or HH:MM, H時, H時M分, H時半 or H時MM ("19時45"), in half- or
// full-width digits and colons; a 時 may stand apart from its hour and
// minutes ("午後 2 時 30 分"); or 正午. Before the hour a word of the time
// of day, a space after it or none: 午前, 朝, 今朝 morning (午前12時 noon);
// 午後 afternoon (午後12時 midnight); 昼, お昼 (昼12時 noon, 昼1時..昼5時
// afternoon); 夕方, 夜, 今夜, 晩, 今晩 (1..11 afternoon and evening: "夜9時"
// is 21:00); 深夜 (0..4 as written, 11 is 23:00, 12 midnight); AM or PM
// (also am, a.m., ＡＭ, ｐｍ, ...: 12AM midnight, 12PM noon). AM or PM also
// right after the digits ("4:30pm", "4pm"). Hours already in the word's half
// of the day stay ("夜21時", "15:00PM"); hours outside it are no time.
//
// After the time: a range mark ("-", "~", "～", "〜"), から or より, then the
// end ("10～11時" and "1-3pm" too), まで after it or not; から, より or a wave
// dash that a space or nothing follows ("11時～") read the start alone;
// まで or までに say it is due then, as does a wave dash before the time
// ("～17時"). Text may follow から, より and まで directly ("10時から会議").
// An end without a word of the day is read as meant: "9時～5時" ends at
// 17:00, "22時～1時" the next day; half-width clocks as written.
//
// Where: at the start of the line, ending at the end, a space or a character
// that is no letter, digit or colon ("11時に銀行"); in brackets, (), （） or
// 【】, that begin the line or end its first line ("打合せ (15:30)",
// "面談(11時～)", "【10:00】朝会"); or ending the first line after its text
// and a space ("歯医者 16:30", "提出 17時まで").
//
// Every line that an earlier version read reads as it did unless one of the
// forms above is written in it. So a line that begins with a half-width H:MM
// ranges by a mark only to another half-width H:MM ("10:00～11時 会議" is
// 10:00 and "～11時 会議"), and the letters after "15:14ＡＭ" are text.
//
// No time: "一時停止" (no kanji numerals), "10分 休憩", "10時間", "3時限",
// "毎時", "1000円", "第10回", "3/15", "10:60", "25時", "夜12時", "会議10:00",
// "夏休み (～8/15)".
bool ReadLineTime(std::string_view entry, LineTime& time);
