#pragma once
// The dates on which a recurring event happens.
#include <cstddef>
#include <functional>
#include <set>
#include <vector>

#include "import/CalendarValues.h"
#include "import/RecurrenceRule.h"

// Calls each with the day number of every occurrence of the rule, in date
// order: first the start itself (it always counts, also toward COUNT), then
// the rule's dates after it, until COUNT, UNTIL or lastDay ends them.
// each returns false to stop early.
void ExpandRecurrence(const RecurrenceRule& rule, const CalendarTime& start, int lastDay,
                      const std::function<bool(int dayNumber)>& each);

// The days of a recurrence set from firstDay on: the start, the dates of
// every rule up to lastDay (endlessLastDay for a rule without COUNT or
// UNTIL) and the extra days (RDATE) whatever their date, less the excluded
// ones (EXDATE, moved occurrences), each once and in date order. Gathering
// stops at limit dates, so that a result of that size may be cut short.
// The dates before firstDay are only counted into before (one that two
// rules give, twice).
std::vector<int> ExpandRecurrenceSet(const std::vector<RecurrenceRule>& rules, const CalendarTime& start,
                                     const std::vector<int>& extraDays, const std::set<int>& excluded, int firstDay,
                                     int lastDay, int endlessLastDay, size_t limit, size_t& before);
