#pragma once
// The book as an iCalendar (RFC 5545) stream of all-day events.
#include <ostream>
#include <string>

#include "export/DayWriter.h"

class CICalendarWriter : public CDayWriter {
 public:
  // version goes into PRODID.
  CICalendarWriter(std::ostream& out, std::string version);

  void Begin() override;
  void Write(const BookDay& day) override;
  void End() override;

 private:
  void WriteEvent(const std::string& uid, const std::string& summary, const std::string& description);

  std::ostream& m_out;
  std::string m_version;
  std::string m_buffer;
  std::string m_dayLines;  // the dates and categories, the same for every event of the day
};
