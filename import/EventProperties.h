#pragma once
// The properties of a VEVENT read into the event, one content line at a time.
#include <string>
#include <vector>

#include "import/CalendarFile.h"
#include "import/ContentLines.h"

// A value that cannot be read costs what it carries: a DTSTART or an RRULE
// marks the event's fault, anything else is left out with a warning.
void TakeEventProperty(const ContentLine& line, CalendarEvent& event, std::vector<CalendarNote>& warnings);

// "the event "会議" of line 12", or "the event of line 12" without a summary.
std::string EventName(const CalendarEvent& event);
