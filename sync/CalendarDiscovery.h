#pragma once
// Finding the user's calendars from a server's address, as the setup
// dialog goes: the well-known address (RFC 6764), the current user's
// principal, its calendar home (RFC 4791), the calendars there with their
// display names; making a calendar; and trying the connection.
#include <string>
#include <vector>

#include "sync/HttpExchange.h"
#include "sync/SyncProblem.h"
#include "sync/XmlReader.h"

struct CalendarEntry {
  std::string url;          // absolute
  std::string displayName;  // UTF-8; the last part of the address when the server gives none
  bool holdsEvents = true;  // its supported components include VEVENT, or it names none
};

// Each step: a failure in problem, else the address found.
struct DiscoveryStep {
  SyncProblemInfo problem;
  std::string url;
};

// The principal of the user the transport signs in as: asked at the
// address itself, then at its /.well-known/caldav.
DiscoveryStep FindPrincipal(IHttpTransport& http, const XmlReaderFactory& xml, const std::string& address);
// The principal's calendar home.
DiscoveryStep FindCalendarHome(IHttpTransport& http, const XmlReaderFactory& xml, const std::string& principalUrl);

struct CalendarListing {
  SyncProblemInfo problem;
  std::vector<CalendarEntry> calendars;  // those that hold events first, then by name
};
// The calendars in the home (its own members, one level down).
CalendarListing ListCalendars(IHttpTransport& http, const XmlReaderFactory& xml, const std::string& homeUrl);

struct Discovery {
  SyncProblemInfo problem;
  std::string homeUrl;  // empty when the address was a calendar's own
  std::vector<CalendarEntry> calendars;
};
// The whole way: an address that is a calendar's own is the only calendar
// listed; else principal, home and the calendars there.
Discovery DiscoverCalendars(IHttpTransport& http, const XmlReaderFactory& xml, const std::string& address);

struct CalendarMade {
  SyncProblemInfo problem;
  CalendarEntry calendar;
};
// A new calendar of events in the home, named displayName (UTF-8), at the
// first free address of "plannix/", "plannix-2/", ...
CalendarMade MakeCalendar(IHttpTransport& http, const XmlReaderFactory& xml, const std::string& homeUrl,
                          const std::string& displayName);

struct ConnectionTest {
  SyncProblemInfo problem;  // kNone: the calendar below answered
  CalendarEntry calendar;
};
// One request to the calendar: is it there, may the user read it, does it
// hold events.
ConnectionTest TestConnection(IHttpTransport& http, const XmlReaderFactory& xml, const std::string& calendarUrl);
