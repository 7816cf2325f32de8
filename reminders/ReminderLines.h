#pragma once
// The lines of a day that have a time of day, as the reminders take them:
// read by the one reader of times, from the first line of each entry.
#include <cstdint>
#include <string>
#include <vector>

#include "data/DayRecord.h"

struct TimedLine {
  int dayNumber = 0;  // of its date
  int line = 0;       // 0..4
  int startMinute = 0;
  bool hasEnd = false;
  int endMinute = 0;
  uint64_t textHash = 0;  // of the whole entry, as earlier versions dismissed it
  std::string title;      // cp932: the first line without its time

  bool operator==(const TimedLine& other) const {
    return dayNumber == other.dayNumber && line == other.line && startMinute == other.startMinute &&
           hasEnd == other.hasEnd && endMinute == other.endMinute && textHash == other.textHash && title == other.title;
  }
};

// The timed lines of the day, in line order, appended to lines.
void AppendTimedLines(int dayNumber, const DayRecord& day, std::vector<TimedLine>& lines);

// FNV-1a of the entry's bytes up to its end or its field's.
uint64_t HashLineText(const char* text, size_t fieldSize);
