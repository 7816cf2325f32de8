#pragma once
// The multistatus replies of WebDAV (RFC 4918) as the sync reads them:
// each response's hrefs and status, and of its properties found (a
// propstat of a 2xx status) those the sync asks for.
#include <functional>
#include <string>
#include <vector>

class IXmlReader;

struct DavResponse {
  std::vector<std::string> hrefs;  // as written, without the spaces around them
  int status = 0;                  // the response's own status (a member removed: 404); 0 when it has none
  bool hasEtag = false;
  std::string etag;
  bool hasCalendarData = false;
  std::string calendarData;
  std::string displayName;
  bool isCollection = false;
  bool isCalendar = false;
  bool hasComponents = false;  // supported-calendar-component-set was given
  std::vector<std::string> components;
  std::string contentType;
  std::string ctag;
  std::string syncToken;      // as a property of a collection
  std::string principalHref;  // current-user-principal
  std::string homeHref;       // calendar-home-set
  std::string resourceId;

  bool HoldsEvents() const;
};

struct MultistatusReading {
  std::string syncToken;  // the reply's own, after its responses (RFC 6578)
  size_t responses = 0;
};

// Hands on each response as it ends. False when the document is no
// multistatus or breaks off: what was handed on before stands.
bool ReadMultistatus(IXmlReader& reader, const std::function<void(DavResponse& response)>& each,
                     MultistatusReading& reading);

// The status code of a status line ("HTTP/1.1 404 Not Found"); 0 when none.
int StatusOfLine(const std::string& line);
