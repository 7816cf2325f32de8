#pragma once
// The requests of WebDAV and CalDAV over the platform's transport: a
// redirect within the server is followed, one elsewhere never, and a
// multistatus answer is read through the platform's XML reader.
#include <functional>
#include <string>

#include "sync/HttpExchange.h"
#include "sync/Multistatus.h"
#include "sync/SyncProblem.h"
#include "sync/XmlReader.h"

class CDavClient {
 public:
  CDavClient(IHttpTransport& http, const XmlReaderFactory& xml);

  // Sent, and sent again where a redirect to the same server leads.
  HttpResponse Send(HttpRequest request);

  // A PROPFIND or REPORT with an XML body, whose 207 answer is read; each
  // response is handed on. A failure, another status or a reply that
  // cannot be read is the problem; status gets the answer's status.
  SyncProblemInfo AskMultistatus(const std::string& method, const std::string& url, const char* depth,
                                 const std::string& body, const std::function<void(DavResponse&)>& each,
                                 MultistatusReading& reading, int& status);

  // The XML reader, for the error bodies.
  const XmlReaderFactory& Xml() const { return m_xml; }
  int Requests() const { return m_requests; }

 private:
  IHttpTransport& m_http;
  const XmlReaderFactory& m_xml;
  int m_requests = 0;
};

// Adds the header to the request.
void AddHeader(HttpRequest& request, const char* name, const std::string& value);
