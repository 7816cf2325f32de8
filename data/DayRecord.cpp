#include "data/DayRecord.h"

#include <cstring>

#include "data/FieldCodec.h"

void ClearMonth(MonthTable& table) { std::memset(&table, 0, sizeof table); }

size_t StoreFieldText(char* field, size_t fieldSize, const char* text) {
  if (fieldSize == 0) return 0;
  size_t length = 0;
  // Walk whole characters so that the cut never splits a two-byte one.
  while (text[length] != '\0') {
    size_t width = IsLeadByte(static_cast<unsigned char>(text[length])) ? 2 : 1;
    if (width == 2 && text[length + 1] == '\0') break;  // a lead byte without its trail
    if (length + width > fieldSize - 1) break;
    length += width;
  }
  std::memcpy(field, text, length);
  std::memset(field + length, 0, fieldSize - length);
  return length;
}

void SetDayLine(DayRecord& day, int lineIndex, const char* text) {
  StoreFieldText(day.szLine[lineIndex], kLineSize, text);
}

void SetDayMemo(DayRecord& day, const char* text) { StoreFieldText(day.szMemo, kMemoSize, text); }
