#pragma once
// The host's side of HolidayQuery: year tables computed once and kept, and
// a count of the open/close brackets the tool puts around its questions.
// Not locked: CHostServices serialises the calls.
#include <map>

#include "calendar/HolidayYear.h"

struct HolidayBracketCounts {
  int opens = 0;
  int closes = 0;                 // including unmatched ones
  int unmatchedCloses = 0;        // a close for a year with no open bracket
  int queriesOutsideBracket = 0;  // a question for a year with no open bracket
};

class CHolidayLookup {
 public:
  void Open(int year);
  void Close(int year);
  // Answers inside or outside a bracket alike.
  bool IsHoliday(int year, int month, int day);
  const HolidayBracketCounts& Counts() const { return m_counts; }

 private:
  const CHolidayYear& YearTable(int year);

  std::map<int, CHolidayYear> m_years;  // only years that can have holidays
  std::map<int, int> m_openDepth;       // by year; absent when closed
  HolidayBracketCounts m_counts;
};
