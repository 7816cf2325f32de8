#pragma once
// A VTIMEZONE component read into the rules of its zone, one content line at a time.
#include <string>

#include "import/BookClock.h"
#include "import/ContentLines.h"

class CTimeZoneComponent {
 public:
  void Begin();
  // BEGIN and END of a STANDARD or DAYLIGHT part inside it.
  void BeginPart();
  void EndPart();
  // A property of the zone or of its open part; one that cannot be read leaves its part out.
  void Take(const ContentLine& line);
  // Adds the zone under its TZID; a zone without one is left out.
  void End(ZoneDefinitions& zones);

 private:
  std::string m_id;
  CZoneRules m_rules;
  bool m_inPart = false;
  bool m_partBroken = false;
  ZonePart m_part;
};
