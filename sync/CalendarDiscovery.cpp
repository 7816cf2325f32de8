#include "sync/CalendarDiscovery.h"

#include <algorithm>
#include <utility>

#include "sync/DavBodies.h"
#include "sync/DavClient.h"
#include "sync/DavUrl.h"

namespace {

constexpr const char* kWellKnown = "/.well-known/caldav";
constexpr int kCalendarNameTries = 5;

SyncProblemInfo Problem(SyncProblem kind, const std::string& url) {
  SyncProblemInfo problem;
  problem.problem = kind;
  problem.detail = url;
  return problem;
}

SyncProblemInfo NotCalendar(const std::string& url) { return Problem(SyncProblem::kNotCalendar, url); }

// False, with the problem, for an address that is no http or https URL.
bool IsAddress(const std::string& url, SyncProblemInfo& problem) {
  DavUrl parts;
  if (ParseDavUrl(url, parts)) return true;
  problem = Problem(SyncProblem::kNoAddress, url);
  return false;
}

std::string WithSlash(std::string url) {
  if (url.empty() || url.back() != '/') url += '/';
  return url;
}

// The last segment of the path, decoded: a name for a calendar that has none.
std::string LastSegment(const std::string& url) {
  std::string key = HrefKey(url);
  return key.substr(key.rfind('/') + 1);
}

CalendarEntry EntryOf(const DavResponse& response, const std::string& url) {
  CalendarEntry entry;
  entry.url = url;
  entry.displayName = response.displayName.empty() ? LastSegment(url) : response.displayName;
  entry.holdsEvents = response.HoldsEvents();
  return entry;
}

// One PROPFIND of Depth 0 at url: the response for url itself (or the only one).
SyncProblemInfo AskOne(CDavClient& dav, const std::string& url, const std::string& body, DavResponse& found) {
  MultistatusReading reading;
  int status = 0;
  bool any = false;
  const std::string key = HrefKey(url);
  SyncProblemInfo problem = dav.AskMultistatus(
      "PROPFIND", url, "0", body,
      [&](DavResponse& response) {
        const bool itself = std::any_of(response.hrefs.begin(), response.hrefs.end(),
                                        [&](const std::string& href) { return HrefKey(href) == key; });
        if (itself || !any) found = std::move(response);
        any = true;
      },
      reading, status);
  if (!problem.Failed() && !any) {
    problem.problem = SyncProblem::kMalformedReply;
    problem.detail = url;
  }
  return problem;
}

// The address one property of the resource at url names: its principal or its calendar home.
DiscoveryStep HrefAt(CDavClient& dav, const std::string& url, const std::string& body,
                     std::string DavResponse::*href) {
  DiscoveryStep step;
  DavResponse found;
  step.problem = AskOne(dav, url, body, found);
  if (step.problem.Failed()) return step;
  step.url = ResolveHref(url, found.*href);
  if (step.url.empty()) step.problem = NotCalendar(url);
  return step;
}

DiscoveryStep PrincipalAt(CDavClient& dav, const std::string& url) {
  return HrefAt(dav, url, PrincipalPropfindBody(), &DavResponse::principalHref);
}

}  // namespace

DiscoveryStep FindPrincipal(IHttpTransport& http, const XmlReaderFactory& xml, const std::string& address) {
  DavUrl parts;
  if (!ParseDavUrl(address, parts)) return {Problem(SyncProblem::kNoAddress, address), std::string()};
  CDavClient dav(http, xml);
  DiscoveryStep step = PrincipalAt(dav, address);
  if (!step.problem.Failed() || EndsTheRun(step.problem)) return step;
  DiscoveryStep known = PrincipalAt(dav, parts.origin + kWellKnown);
  // Neither answered with a principal: the address's own problem says more.
  return known.problem.Failed() && !EndsTheRun(known.problem) ? step : known;
}

DiscoveryStep FindCalendarHome(IHttpTransport& http, const XmlReaderFactory& xml, const std::string& principalUrl) {
  CDavClient dav(http, xml);
  return HrefAt(dav, principalUrl, HomePropfindBody(), &DavResponse::homeHref);
}

CalendarListing ListCalendars(IHttpTransport& http, const XmlReaderFactory& xml, const std::string& homeUrl) {
  CDavClient dav(http, xml);
  CalendarListing listing;
  MultistatusReading reading;
  int status = 0;
  const std::string homeKey = HrefKey(homeUrl);
  listing.problem = dav.AskMultistatus(
      "PROPFIND", homeUrl, "1", CalendarPropfindBody(),
      [&](DavResponse& response) {
        if (!response.isCalendar || response.hrefs.empty() || HrefKey(response.hrefs.front()) == homeKey) return;
        const std::string url = ResolveHref(homeUrl, response.hrefs.front());
        if (!url.empty()) listing.calendars.push_back(EntryOf(response, url));
      },
      reading, status);
  std::stable_sort(listing.calendars.begin(), listing.calendars.end(),
                   [](const CalendarEntry& a, const CalendarEntry& b) {
                     if (a.holdsEvents != b.holdsEvents) return a.holdsEvents;
                     return a.displayName < b.displayName;
                   });
  return listing;
}

Discovery DiscoverCalendars(IHttpTransport& http, const XmlReaderFactory& xml, const std::string& address) {
  Discovery discovery;
  if (!IsAddress(address, discovery.problem)) return discovery;
  // The address of a calendar of events is the calendar.
  const ConnectionTest direct = TestConnection(http, xml, address);
  if (EndsTheRun(direct.problem)) {
    discovery.problem = direct.problem;
    return discovery;
  }
  if (!direct.problem.Failed()) {
    discovery.calendars.push_back(direct.calendar);
    return discovery;
  }
  const DiscoveryStep principal = FindPrincipal(http, xml, address);
  if (principal.problem.Failed()) {
    discovery.problem = principal.problem;
    return discovery;
  }
  const DiscoveryStep home = FindCalendarHome(http, xml, principal.url);
  if (home.problem.Failed()) {
    discovery.problem = home.problem;
    return discovery;
  }
  discovery.homeUrl = home.url;
  CalendarListing listing = ListCalendars(http, xml, home.url);
  discovery.problem = listing.problem;
  discovery.calendars = std::move(listing.calendars);
  return discovery;
}

CalendarMade MakeCalendar(IHttpTransport& http, const XmlReaderFactory& xml, const std::string& homeUrl,
                          const std::string& displayName) {
  CalendarMade made;
  if (!IsAddress(homeUrl, made.problem)) return made;
  CDavClient dav(http, xml);
  for (int attempt = 1; attempt <= kCalendarNameTries; ++attempt) {
    const std::string segment = attempt == 1 ? "plannix" : "plannix-" + std::to_string(attempt);
    HttpRequest request;
    request.method = "MKCALENDAR";
    request.url = WithSlash(homeUrl) + segment + "/";
    AddHeader(request, "Content-Type", "application/xml; charset=utf-8");
    request.body = MakeCalendarBody(displayName);
    const HttpResponse response = dav.Send(request);
    made.problem = ProblemOfResponse(response);
    // Taken: 405 where something is there, some servers answer 409 or 403.
    const bool taken = response.failure == HttpFailure::kNone &&
                       (response.status == 405 || response.status == 409 || response.status == 403);
    if (taken && attempt < kCalendarNameTries) continue;
    if (!made.problem.Failed()) made.calendar = {request.url, displayName, true};
    made.problem.detail = made.problem.Failed() ? request.url : std::string();
    return made;
  }
  return made;
}

ConnectionTest TestConnection(IHttpTransport& http, const XmlReaderFactory& xml, const std::string& calendarUrl) {
  ConnectionTest test;
  if (!IsAddress(calendarUrl, test.problem)) return test;
  CDavClient dav(http, xml);
  DavResponse found;
  test.problem = AskOne(dav, calendarUrl, CalendarPropfindBody(), found);
  if (test.problem.Failed()) return test;
  test.calendar = EntryOf(found, calendarUrl);
  if (!found.isCalendar || !found.HoldsEvents()) test.problem = NotCalendar(calendarUrl);
  return test;
}
