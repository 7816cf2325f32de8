#pragma once
// One day of the schedule book as the exports see it: dated, in UTF-8.
#include <string>
#include <vector>

#include "data/DayRecord.h"

struct BookDate {
  int year;
  int month;
  int day;
};

// The day after; 31 December 9999 is followed by a year 10000.
BookDate NextDay(const BookDate& date);

struct BookDay {
  BookDate date;
  std::string sealNames[kSealSlots];    // empty for no seal and for a code without a name
  SealCode sealCodes[kSealSlots] = {};  // the codes of the named seals, 0 in the other slots
  std::string lines[kLineCount];        // line breaks as LF, none at the end
  std::string memo;

  bool HasContent() const;
  // The distinct seal names of the day, in slot order.
  std::vector<std::string> Categories() const;
};

// What a conversion could not carry over exactly.
struct DayConversionNotes {
  size_t replacedSequences = 0;        // bytes that were no text, now U+FFFD
  std::vector<SealCode> unnamedSeals;  // codes without a row in the seal table
};

BookDay ConvertDay(const BookDate& date, const DayRecord& record, DayConversionNotes& notes);
