#pragma once
// What the user is told around a repeat, as cp932 texts for a box: the
// question before lines are taken away, and what did not go as asked.
#include <string>

#include "calendar/DayNumber.h"
#include "repeat/RepeatWrite.h"

// 2026年2月、2026年3月, the first ten named and the others counted.
std::string MonthListText(const std::vector<MonthOfBook>& months);
// How many days after the day shown hold the line, and from when to when;
// "" when none does (and no month was left unread).
std::string RemovalQuestion(const std::string& line, const LineFound& found);
// Nothing when every day got what was asked; else the months left out, with
// why (the run ended before them too), and the days that had no room.
std::string RepeatOutcomeText(const RepeatOutcome& outcome, bool removal);
