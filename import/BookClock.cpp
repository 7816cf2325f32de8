#include "import/BookClock.h"

namespace {

ZonePart PartOf(const ZoneObservance& observance) {
  ZonePart part;
  part.hasStart = ParseCalendarTime(observance.start, part.start);
  part.hasOffsetFrom = ParseUtcOffset(observance.offsetFrom, part.offsetFrom);
  part.hasOffsetTo = ParseUtcOffset(observance.offsetTo, part.offsetTo);
  if (observance.rule != nullptr) {
    part.rules.emplace_back();
    std::string detail;
    ReadRecurrenceRule(observance.rule, part.rules.back(), detail);
  }
  return part;
}

}  // namespace

CZoneRules BookZoneRules(const BookTimeZone& zone) {
  CZoneRules rules;
  rules.AddPart(PartOf(zone.standard));
  if (zone.daylight.start != nullptr) rules.AddPart(PartOf(zone.daylight));
  return rules;
}

CBookClock::CBookClock(const BookTimeZone& book, const ZoneDefinitions& defined)
    : m_book(book), m_defined(defined), m_bookRules(BookZoneRules(book)) {}

const CZoneRules* CBookClock::Zone(const std::string& tzid) const {
  auto defined = m_defined.find(tzid);
  if (defined != m_defined.end() && defined->second.Known()) return &defined->second;
  const BookTimeZone* builtIn = FindBookTimeZone(tzid);
  if (builtIn == nullptr) builtIn = FindBookTimeZoneByWindowsName(tzid);
  if (builtIn == nullptr) return nullptr;
  auto made = m_builtIn.find(builtIn);
  if (made == m_builtIn.end()) made = m_builtIn.emplace(builtIn, BookZoneRules(*builtIn)).first;
  return &made->second;
}

bool CBookClock::IsBookZone(const std::string& tzid) const {
  return tzid == m_book.id || FindBookTimeZoneByWindowsName(tzid) == &m_book;
}

bool CBookClock::Utc(const CalendarTime& time, const std::string& zone, long long& utc) const {
  if (time.utc) {
    utc = SecondsOf(time);
    return true;
  }
  const CZoneRules* rules = zone.empty() ? nullptr : Zone(zone);
  if (rules == nullptr) return false;
  utc = rules->UtcOf(SecondsOf(time));
  return true;
}

CalendarTime CBookClock::Local(const CZoneRules& rules, long long utc, const CalendarTime& fallback) {
  CalendarTime local;
  return TimeOfSeconds(rules.LocalOf(utc), local) ? local : fallback;
}

CalendarTime CBookClock::InBook(const CalendarTime& time, const std::string& zone) const {
  // The book's own zone needs no conversion: what the export wrote comes back as it was.
  if (!time.hasTime || (!time.utc && (zone.empty() || IsBookZone(zone)))) return time;
  long long utc = 0;
  return Utc(time, zone, utc) ? Local(m_bookRules, utc, time) : time;
}

CalendarTime CBookClock::InZone(const CalendarTime& time, const std::string& zone, const std::string& target) const {
  if (!time.hasTime || (!time.utc && zone == target) || target.empty()) return time;
  const CZoneRules* rules = Zone(target);
  long long utc = 0;
  return rules != nullptr && Utc(time, zone, utc) ? Local(*rules, utc, time) : time;
}
