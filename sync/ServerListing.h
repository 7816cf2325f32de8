#pragma once
// What the calendar holds, asked as cheaply as the server allows: the
// changes since the last sync's token (RFC 6578), else every member with
// its ETag; and the members' texts fetched in bounded batches.
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "sync/DavClient.h"
#include "sync/SyncProblem.h"

struct ListedResource {
  std::string href;  // as the server wrote it
  std::string etag;  // empty when the listing gave none
};

struct ServerListing {
  SyncProblemInfo problem;
  bool delta = false;                            // only what changed since the token
  std::map<std::string, ListedResource> listed;  // by HrefKey: there now (a delta: changed or new)
  std::set<std::string> removed;                 // a delta's members gone
  std::string token;                             // the token of this listing; empty when the server gives none
  // Of a whole listing only: what the calendar says of itself.
  bool describedItself = false;
  std::string resourceId;
};

// token: the last sync's, empty for none. A token the server refuses is
// dropped and the whole calendar listed.
ServerListing ListCalendar(CDavClient& dav, const std::string& calendarUrl, const std::string& token);

struct FetchedResource {
  std::string href;
  bool gone = false;      // no longer there
  bool tooLarge = false;  // beyond the transport's bound, alone
  bool hasText = false;   // false with neither: the server gave no text that can be read
  std::string etag;
  std::string text;
};

// Fetches the resources, a batch at a time (a batch the reader cannot take
// is fetched one by one), handing each on as it comes. A failure of the
// server stops the fetch and is the problem.
SyncProblemInfo FetchResources(CDavClient& dav, const std::string& calendarUrl, const std::vector<std::string>& hrefs,
                               const std::function<void(FetchedResource& resource)>& each);

// One resource by GET.
FetchedResource FetchOne(CDavClient& dav, const std::string& calendarUrl, const std::string& href,
                         SyncProblemInfo& problem);
