#pragma once
// The times of a calendar in the book's time zone: a DATE-TIME in UTC or
// in a zone that can be known (the file's VTIMEZONE, else a zone of the
// export's list by its IANA or its Windows name) is converted; a date, a
// floating time and a time of a zone that cannot be known stay as written.
#include <map>
#include <memory>
#include <string>

#include "export/BookTimeZone.h"
#include "import/CalendarValues.h"
#include "import/ZoneRules.h"

using ZoneDefinitions = std::map<std::string, CZoneRules>;  // the file's VTIMEZONEs by TZID

// The rules of one of the export's zones.
CZoneRules BookZoneRules(const BookTimeZone& zone);

class CBookClock {
 public:
  // Both are kept by reference.
  CBookClock(const BookTimeZone& book, const ZoneDefinitions& defined);

  // nullptr for a zone that cannot be known.
  const CZoneRules* Zone(const std::string& tzid) const;

  // The time written in zone (a TZID, empty for UTC and floating times) on the book's clock.
  CalendarTime InBook(const CalendarTime& time, const std::string& zone) const;
  // The same on the clock of target, the TZID of an event's start: where its EXDATE and RECURRENCE-ID fall.
  CalendarTime InZone(const CalendarTime& time, const std::string& zone, const std::string& target) const;

 private:
  bool IsBookZone(const std::string& tzid) const;
  bool Utc(const CalendarTime& time, const std::string& zone, long long& utc) const;
  static CalendarTime Local(const CZoneRules& rules, long long utc, const CalendarTime& fallback);

  const BookTimeZone& m_book;
  const ZoneDefinitions& m_defined;
  CZoneRules m_bookRules;
  mutable std::map<const BookTimeZone*, CZoneRules> m_builtIn;
};
