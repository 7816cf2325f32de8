#pragma once
// The dates on which a recurring event happens.
#include <functional>

#include "import/CalendarValues.h"
#include "import/RecurrenceRule.h"

// Calls each with the day number of every occurrence of the rule, in date
// order: first the start itself (it always counts, also toward COUNT), then
// the rule's dates after it, until COUNT, UNTIL or lastDay ends them.
// each returns false to stop early.
void ExpandRecurrence(const RecurrenceRule& rule, const CalendarTime& start, int lastDay,
                      const std::function<bool(int dayNumber)>& each);
