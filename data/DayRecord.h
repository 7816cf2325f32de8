#pragma once
// One day of the schedule book and the month of 31 of them.
#include <cstddef>
#include <cstdint>

#include "data/Cp932Literals.h"

using SealCode = int32_t;  // 0 = no seal

constexpr int kSealSlots = 4;
constexpr int kLineCount = 5;
constexpr size_t kLineSize = 128;  // 127 bytes of text and a zero
constexpr size_t kMemoSize = 256;  // 255 bytes of text and a zero
constexpr int kDaysInTable = 31;

struct DayRecord {
  SealCode nSeal[kSealSlots];
  char szLine[kLineCount][kLineSize];
  char szMemo[kMemoSize];
};

// Day d (1..31) is element d - 1. Zero bytes make an empty day.
struct MonthTable {
  DayRecord days[kDaysInTable];

  DayRecord& Day(int d) { return days[d - 1]; }
  const DayRecord& Day(int d) const { return days[d - 1]; }
};

// Every day empty.
void ClearMonth(MonthTable& table);

// Copies text into a field of fieldSize bytes: at most fieldSize - 1 bytes,
// never cutting a two-byte character, always terminated. Returns the length.
size_t StoreFieldText(char* field, size_t fieldSize, const char* text);

// The setters of the day page: line index 0..4.
void SetDayLine(DayRecord& day, int lineIndex, const char* text);
void SetDayMemo(DayRecord& day, const char* text);
