#include "import/TimeZoneComponent.h"

void CTimeZoneComponent::Begin() {
  m_id.clear();
  m_rules = CZoneRules();
  m_inPart = false;
}

void CTimeZoneComponent::BeginPart() {
  m_inPart = true;
  m_partBroken = false;
  m_part = ZonePart();
}

void CTimeZoneComponent::EndPart() {
  if (m_inPart && !m_partBroken) m_rules.AddPart(m_part);
  m_inPart = false;
}

void CTimeZoneComponent::Take(const ContentLine& line) {
  if (!m_inPart) {
    if (line.name == "TZID") m_id = line.value;
    return;
  }
  bool good = true;
  if (line.name == "DTSTART") {
    good = m_part.hasStart = ParseCalendarTime(line.value, m_part.start);
  } else if (line.name == "TZOFFSETFROM") {
    good = m_part.hasOffsetFrom = ParseUtcOffset(line.value, m_part.offsetFrom);
  } else if (line.name == "TZOFFSETTO") {
    good = m_part.hasOffsetTo = ParseUtcOffset(line.value, m_part.offsetTo);
  } else if (line.name == "RRULE") {
    RecurrenceRule rule;
    std::string detail;
    good = ReadRecurrenceRule(line.value, rule, detail) == RuleReading::kExpandable;
    if (good) m_part.rules.push_back(rule);
  } else if (line.name == "RDATE") {
    good = ParseCalendarTimeList(line.value, m_part.dates);
  }
  m_partBroken = m_partBroken || !good;
}

void CTimeZoneComponent::End(ZoneDefinitions& zones) {
  EndPart();
  if (!m_id.empty()) zones[m_id] = m_rules;
}
