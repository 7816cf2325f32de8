#pragma once
// What the reminders know of the book at a look: the timed lines of
// yesterday, today and tomorrow, and what was dismissed.
#include <set>
#include <vector>

#include "reminders/DismissedSet.h"
#include "reminders/ReminderLines.h"

struct ReminderFacts {
  std::vector<TimedLine> lines;  // by day, then line
  // Days looked at whose lines could not be told (their month file could
  // not be read, or was missing or half-written for a moment): nothing of
  // them leaves the board.
  std::set<int> daysUnknown;
  CDismissedSet dismissed;
  // False while the file of what was dismissed has not been read: what
  // fell due before may have been dismissed already.
  bool dismissedKnown = false;
};
