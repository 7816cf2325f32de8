#include "ui/core/CellContent.h"

#include <cstdio>

#include "data/FieldCodec.h"
#include "data/SealTable.h"
#include "ui/core/CalendarColours.h"

namespace {

constexpr int kCoverWidth = 170;
constexpr int kCoverHeight = 210;
constexpr int kSealSourceSize = 32;
constexpr size_t kWeekdayNameBytes = 3;

}  // namespace

std::optional<PictureSource> CellPictureSource(int code, int position) {
  if (position == 0) {
    const ColourTheme* theme = FindColourTheme(code);
    if (theme == nullptr) return std::nullopt;
    return PictureSource{theme->coverBitmapId, kCoverWidth, kCoverHeight};
  }
  // A code read from a file may have no row; it shows nothing.
  const SealEntry* row = FindSealRow(code, kSealKeyCode);
  if (row == nullptr || row->nBitmapId == kNoSealBitmapId) return std::nullopt;
  return PictureSource{row->nBitmapId, kSealSourceSize, kSealSourceSize};
}

size_t CellPictureCalls(const DayRecord& day, int themeIndex, CellPictureCall (&calls)[4]) {
  size_t count = 0;
  if (day.szMemo[0] != '\0') calls[count++] = {0, themeIndex};
  for (int position = 1; position <= 3; ++position) calls[count++] = {position, day.nSeal[position - 1]};
  return count;
}

size_t FirstTextLine(const char* field, char (&line)[kLineSize]) {
  size_t length = 0;
  while (length < kLineSize - 1 && field[length] != '\0' && field[length] != '\n') {
    line[length] = field[length];
    ++length;
  }
  line[length] = '\0';
  return length;
}

size_t WeekdayNameLength(const char* name) {
  if (name == nullptr) return 0;
  size_t length = 0;
  while (name[length] != '\0') {
    const size_t width = IsLeadByte(static_cast<unsigned char>(name[length])) && name[length + 1] != '\0' ? 2 : 1;
    if (length + width > kWeekdayNameBytes) break;
    length += width;
  }
  return length;
}

size_t FormatDayNumber(unsigned char day, char (&text)[4]) {
  return static_cast<size_t>(std::snprintf(text, sizeof text, "%u", static_cast<unsigned>(day)));
}
