#pragma once
// A CalDAV server in memory for the native tests and the benchmark: one
// user with one calendar of events (and one of tasks), ETags, sync tokens,
// discovery, MKCALENDAR; and misbehaviour on order.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "sync/HttpExchange.h"

class CFakeCalDavServer : public IHttpTransport {
 public:
  static constexpr const char* kOrigin = "http://127.0.0.1:5232";
  static constexpr const char* kPrincipal = "/principals/user/";
  static constexpr const char* kHome = "/user/";
  static constexpr const char* kCalendar = "/user/calendar/";

  struct Faults {
    bool noEtagOnPut = false;        // as Nextcloud answers some PUTs
    bool stampOnPut = false;         // rewrites PRODID and DTSTAMP of what is put
    bool noSyncCollection = false;   // answers the REPORT with 501
    bool noMultiget = false;         // answers calendar-multiget with 501
    bool malformedMultiget = false;  // a multiget reply that is no XML
    bool escapeAt = false;           // writes "@" as %40 in the hrefs of fetched events, not in listings
    bool hideEverything = false;     // lists the calendar empty
    bool crReadAsSpace = false;      // calendar-data as Wine reads a server that writes CR as "&#13;": a space for each
    bool noEtagInListings = false;   // lists members without their ETags
    int truncateAfter = 0;           // a sync-collection reply of at most this many, then 507
    int statusForAll = 0;            // every request answered with this status
    HttpFailure failure = HttpFailure::kNone;  // every request fails so
    int killAfterWrites = -1;                  // after so many writes, one more is done and then the transport throws
    int failWrites = 0;                        // the next so many PUTs and DELETEs answer 412
    int writeStatus = 0;                       // PUTs answered with this status (413, 507, ...)
    size_t bodyLimit = 0;  // an answer longer than this fails as beyond the transport's bound; 0: none
  };

  CFakeCalDavServer();

  HttpResponse Send(const HttpRequest& request) override;

  // The phone's side: a resource of the calendar by its name.
  void Put(const std::string& name, const std::string& text);
  void Remove(const std::string& name);
  // A new ETag for the same content, as servers give after their own rewrites.
  void Touch(const std::string& name);
  bool Has(const std::string& name) const { return m_items.count(name) != 0; }
  std::string Text(const std::string& name) const;
  std::vector<std::string> Names() const;
  size_t Count() const { return m_items.size(); }
  // Another calendar at the same address: everything gone, tokens refused.
  void Replace();

  int Requests() const { return m_requests; }
  int Requests(const std::string& method) const;
  int Writes() const { return m_writes; }

  Faults faults;
  std::string displayName = "Personal";

 private:
  struct Item {
    std::string text;
    std::string etag;
    long change = 0;
  };

  HttpResponse Answered(const HttpRequest& request);
  HttpResponse Propfind(const HttpRequest& request, const std::string& path);
  HttpResponse Report(const HttpRequest& request);
  HttpResponse SyncCollection(const std::string& token);
  HttpResponse Multiget(const std::vector<std::string>& hrefs);
  HttpResponse PutRequest(const HttpRequest& request, const std::string& name);
  HttpResponse DeleteRequest(const HttpRequest& request, const std::string& name);
  void Changed(const std::string& name);
  std::string Href(const std::string& name, bool fetched = false) const;
  std::string Token() const;
  void CountWrite();

  std::map<std::string, Item> m_items;
  std::map<std::string, long> m_removed;  // name -> change
  std::set<std::string> m_otherCalendars;
  long m_change = 0;
  long m_etag = 0;
  int m_epoch = 1;
  int m_requests = 0;
  int m_writes = 0;
  std::map<std::string, int> m_byMethod;
};
