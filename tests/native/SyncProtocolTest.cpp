// The sync's pieces that need no book: the decision for each item, the
// reader of multistatus replies, the hrefs compared decoded once, and the
// discovery of a user's calendars.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sync/CalendarDiscovery.h"
#include "sync/DavUrl.h"
#include "sync/Multistatus.h"
#include "sync/SyncDecision.h"
#include "tests/support/FakeCalDavServer.h"
#include "tests/support/LibXmlReader.h"

namespace {

using A = ItemAction;

struct DecisionRow {
  bool inRecord, here, there, changedHere, changedThere, alike;
  ItemAction action;
};

const DecisionRow g_Decisions[] = {
    // Not in the record: nothing is ever deleted, alike is linked.
    {false, true, false, false, false, false, A::kSendNew},
    {false, false, true, false, false, false, A::kTakeNew},
    {false, true, true, false, false, true, A::kLink},
    {false, true, true, false, false, false, A::kBoth},
    // On both sides.
    {true, true, true, false, false, true, A::kNone},
    {true, true, true, true, false, false, A::kSendChange},
    {true, true, true, false, true, false, A::kTakeChange},
    {true, true, true, true, true, false, A::kBoth},
    {true, true, true, true, true, true, A::kLink},
    // Deleted on one side: the other side's edit survives.
    {true, true, false, false, false, false, A::kClearHere},
    {true, true, false, true, false, false, A::kSendNew},
    {true, false, true, false, false, false, A::kDeleteThere},
    {true, false, true, false, true, false, A::kTakeNew},
    {true, false, false, false, false, false, A::kForget},
};

TEST(SyncProtocolTest, TheDecisionForEachItem) {
  for (const DecisionRow& row : g_Decisions) {
    ItemSides sides;
    sides.inRecord = row.inRecord;
    sides.here = row.here;
    sides.there = row.there;
    sides.changedHere = row.changedHere;
    sides.changedThere = row.changedThere;
    sides.alike = row.alike;
    EXPECT_EQ(row.action, DecideItem(sides))
        << row.inRecord << row.here << row.there << row.changedHere << row.changedThere << row.alike;
  }
}

struct MultistatusCase {
  const char* name;
  const char* document;
  bool readable;
  std::vector<std::string> expected;  // per response: "href status etag data"
  const char* token;
};

const MultistatusCase g_Multistatus[] = {
    {"a delta with a member removed",
     "<d:multistatus xmlns:d='DAV:'><d:response><d:href> /c/a.ics </d:href><d:propstat><d:prop><d:getetag>\"1\""
     "</d:getetag></d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat></d:response><d:response><d:href>/c/b.ics"
     "</d:href><d:status>HTTP/1.1 404 Not Found</d:status></d:response><d:sync-token>tok-2</d:sync-token>"
     "</d:multistatus>",
     true,
     {"/c/a.ics 0 \"1\" ", "/c/b.ics 404  "},
     "tok-2"},
    {"the default namespace, a property not found, and CDATA",
     "<multistatus xmlns='DAV:' xmlns:C='urn:ietf:params:xml:ns:caldav'><response><href>/c/x.ics</href><propstat>"
     "<prop><getetag>\"7\"</getetag><C:calendar-data><![CDATA[\nBEGIN:VCALENDAR\r\n&]]></C:calendar-data></prop>"
     "<status>HTTP/1.1 200 OK</status></propstat><propstat><prop><displayname>gone</displayname></prop>"
     "<status>HTTP/1.1 404 Not Found</status></propstat></response></multistatus>",
     true,
     {"/c/x.ics 0 \"7\" BEGIN:VCALENDAR\r\n&"},
     ""},
    // Wine's XmlLite reads "&#13;" as a space: the line ends are given back, a value's own space stays.
    {"calendar-data whose CRs were read as spaces",
     "<d:multistatus xmlns:d='DAV:' xmlns:c='urn:ietf:params:xml:ns:caldav'><d:response><d:href>/c/x.ics</d:href>"
     "<d:propstat><d:prop><c:calendar-data>BEGIN:VEVENT \nSUMMARY:Tea for two  \n folded \n \nEND:VEVENT \n  "
     "</c:calendar-data></d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat></d:response></d:multistatus>",
     true,
     {"/c/x.ics 0  BEGIN:VEVENT\r\nSUMMARY:Tea for two \r\n folded\r\n\r\nEND:VEVENT\r\n  "},
     ""},
    {"calendar-data of LF lines, one value ending in a space, or of CR LF lines",
     "<d:multistatus xmlns:d='DAV:' xmlns:c='urn:ietf:params:xml:ns:caldav'><d:response><d:href>/c/x.ics</d:href>"
     "<d:propstat><d:prop><c:calendar-data>BEGIN:VEVENT\nSUMMARY:Lunch \nLOCATION:Cafe\nEND:VEVENT\n"
     "</c:calendar-data></d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat></d:response><d:response><d:href>"
     "/c/y.ics</d:href><d:propstat><d:prop><c:calendar-data>BEGIN:VEVENT &#13;\nSUMMARY:Lunch &#13;\nEND:VEVENT &#13;"
     "\n</c:calendar-data></d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat></d:response></d:multistatus>",
     true,
     {"/c/x.ics 0  BEGIN:VEVENT\nSUMMARY:Lunch \nLOCATION:Cafe\nEND:VEVENT\n",
      "/c/y.ics 0  BEGIN:VEVENT \r\nSUMMARY:Lunch \r\nEND:VEVENT \r\n"},
     ""},
    {"no multistatus", "<d:error xmlns:d='DAV:'><d:valid-sync-token/></d:error>", false, {}, ""},
    {"broken off", "<d:multistatus xmlns:d='DAV:'><d:response><d:href>/c/a.ics</d:href>", false, {}, ""},
    {"an entity of its own",
     "<!DOCTYPE m [<!ENTITY e 'x'>]><d:multistatus xmlns:d='DAV:'>&e;</d:multistatus>",
     false,
     {},
     ""},
    {"invalid UTF-8",
     "<d:multistatus xmlns:d='DAV:'><d:response><d:href>/c/\xff.ics</d:href></d:response>"
     "</d:multistatus>",
     false,
     {},
     ""},
};

TEST(SyncProtocolTest, TheMultistatusReader) {
  for (const MultistatusCase& test : g_Multistatus) {
    const std::string document = test.document;
    auto reader = NewLibXmlReader(document);
    std::vector<std::string> responses;
    MultistatusReading reading;
    const bool read = ReadMultistatus(
        *reader,
        [&](DavResponse& response) {
          responses.push_back(response.hrefs.front() + " " + std::to_string(response.status) + " " + response.etag +
                              " " + response.calendarData);
        },
        reading);
    EXPECT_EQ(test.readable, read) << test.name;
    if (!test.readable) continue;
    EXPECT_EQ(test.expected, responses) << test.name;
    EXPECT_EQ(test.token, reading.syncToken) << test.name;
  }
}

TEST(SyncProtocolTest, HrefsAreComparedDecodedOnce) {
  const struct {
    const char* a;
    const char* b;
    bool same;
  } pairs[] = {
      {"/cal/a%40b.ics", "/cal/a@b.ics", true},
      {"https://Host.example/cal/x.ics", "/cal/x.ics", true},
      {"/cal/", "/cal", true},
      {"/cal/%E4%BC%9A.ics", "/cal/\xE4\xBC\x9A.ics", true},
      {"/cal/a%2540b.ics", "/cal/a@b.ics", false},
      {"/cal/a.ics", "/cal/b.ics", false},
  };
  for (const auto& pair : pairs) EXPECT_EQ(pair.same, HrefKey(pair.a) == HrefKey(pair.b)) << pair.a << " " << pair.b;
  EXPECT_EQ("https://dav.example/cal/x.ics", ResolveHref("https://dav.example/cal/", "/cal/x.ics"));
  EXPECT_EQ("https://dav.example/cal/x.ics", ResolveHref("https://dav.example/cal/", "x.ics"));
  // Another host never gets a request, and with it the password.
  EXPECT_EQ("", ResolveHref("https://dav.example/cal/", "https://other.example/cal/x.ics"));
  EXPECT_EQ("", ResolveHref("https://dav.example/cal/", "http://dav.example/cal/x.ics"));
  for (const auto& [url, allowed] : std::vector<std::pair<std::string, bool>>{{"https://dav.example/", true},
                                                                              {"http://127.0.0.1:5232/", true},
                                                                              {"http://localhost/", true},
                                                                              {"http://[::1]:8080/", true},
                                                                              {"http://dav.example/", false},
                                                                              {"http://127.0.0.1.example/", false}}) {
    DavUrl parts;
    ASSERT_TRUE(ParseDavUrl(url, parts));
    EXPECT_EQ(allowed, IsSecureOrLocal(parts)) << url;
  }
}

TEST(SyncProtocolTest, TheUsersCalendarsAreFoundFromTheServersAddress) {
  CFakeCalDavServer server;
  const std::string origin = CFakeCalDavServer::kOrigin;
  const Discovery found = DiscoverCalendars(server, LibXmlReaderFactory(), origin);
  ASSERT_FALSE(found.problem.Failed()) << DescribeSyncProblem(found.problem);
  EXPECT_EQ(origin + CFakeCalDavServer::kHome, found.homeUrl);
  ASSERT_EQ(2u, found.calendars.size());
  EXPECT_EQ("Personal", found.calendars[0].displayName);
  EXPECT_TRUE(found.calendars[0].holdsEvents);
  EXPECT_FALSE(found.calendars[1].holdsEvents);
  // A calendar's own address is the only calendar.
  const Discovery direct = DiscoverCalendars(server, LibXmlReaderFactory(), found.calendars[0].url);
  ASSERT_EQ(1u, direct.calendars.size());
  EXPECT_EQ("", direct.homeUrl);

  const CalendarMade made = MakeCalendar(server, LibXmlReaderFactory(), found.homeUrl, "Plannix");
  const CalendarMade second = MakeCalendar(server, LibXmlReaderFactory(), found.homeUrl, "Plannix");
  EXPECT_EQ(origin + "/user/plannix/", made.calendar.url);
  EXPECT_EQ(origin + "/user/plannix-2/", second.calendar.url);
  EXPECT_EQ(4u, ListCalendars(server, LibXmlReaderFactory(), found.homeUrl).calendars.size());

  EXPECT_FALSE(TestConnection(server, LibXmlReaderFactory(), found.calendars[0].url).problem.Failed());
  EXPECT_EQ(SyncProblem::kNotCalendar,
            TestConnection(server, LibXmlReaderFactory(), found.calendars[1].url).problem.problem);
  server.faults.statusForAll = 401;
  EXPECT_EQ(SyncProblem::kAuthentication, DiscoverCalendars(server, LibXmlReaderFactory(), origin).problem.problem);
  server.faults.statusForAll = 0;
  server.faults.failure = HttpFailure::kCertificate;
  EXPECT_EQ(
      0u,
      DescribeSyncProblem(TestConnection(server, LibXmlReaderFactory(), origin).problem).rfind(u8"証明書エラー", 0));
}

}  // namespace
