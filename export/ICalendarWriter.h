#pragma once
// The book as an iCalendar (RFC 5545) stream: all-day events, and timed
// events for the lines that begin with a time of day.
#include <ostream>
#include <string>

#include "export/BookTimeZone.h"
#include "export/DayWriter.h"

class CICalendarWriter : public CDayWriter {
 public:
  // version goes into PRODID; timed lines are in zone.
  CICalendarWriter(std::ostream& out, std::string version, const BookTimeZone& zone);

  void Begin() override;
  void Write(const BookDay& day) override;
  void End() override;

 private:
  // when holds the event's DTSTART and its end; entry is a timed line's text, empty for an all-day event.
  void WriteEvent(const std::string& uid, const std::string& when, const std::string& summary,
                  const std::string& description, const std::string& entry);

  std::ostream& m_out;
  std::string m_version;
  const BookTimeZone& m_zone;
  std::string m_buffer;
  std::string m_dayLines;  // the stamp and categories, the same for every event of the day
  std::string m_allDay;    // the day's DTSTART and DTEND as an all-day event
  std::string m_when;      // a timed line's
};
