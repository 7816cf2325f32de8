#pragma once
// What a calendar cell shows of its day: pictures, the first text line of
// each entry, the day number; and the weekday headers' short names.
#include <cstddef>
#include <optional>

#include "data/DayRecord.h"

// A picture resource and the part of it that is stretched into the cell.
struct PictureSource {
  int bitmapId;
  int width;
  int height;
};

// Position 0: code is a ThemeIndex (memo mark); 1 to 3: a SealCode.
// Nothing for no theme, "（シールなし）" or a code without a seal row.
std::optional<PictureSource> CellPictureSource(int code, int position);

struct CellPictureCall {
  int position;
  int code;
};

// The pictures a day asks for, in drawing order: the memo mark when the
// memo has text, then seal slots 1 to 3 (slot 4 shows only on the day page).
size_t CellPictureCalls(const DayRecord& day, int themeIndex, CellPictureCall (&calls)[4]);

// The part of an entry the calendar shows: up to the first line feed, at
// most kLineSize - 1 bytes. Returns its length; 0 draws nothing.
size_t FirstTextLine(const char* field, char (&line)[kLineSize]);

// The header shows at most 3 bytes of a weekday name, whole characters only.
size_t WeekdayNameLength(const char* name);

// The day in decimal, no padding. Returns the length.
size_t FormatDayNumber(unsigned char day, char (&text)[4]);
