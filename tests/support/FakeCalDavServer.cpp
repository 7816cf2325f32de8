#include "tests/support/FakeCalDavServer.h"

#include <cstdio>
#include <stdexcept>

#include "sync/DavBodies.h"
#include "sync/DavUrl.h"
#include "tests/support/LibXmlReader.h"

namespace {

constexpr const char* kMultistatusHead =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<d:multistatus xmlns:d=\"DAV:\" "
    "xmlns:c=\"urn:ietf:params:xml:ns:caldav\" xmlns:cs=\"http://calendarserver.org/ns/\">";
constexpr const char* kMultistatusTail = "</d:multistatus>";
constexpr const char* kOk = "<d:status>HTTP/1.1 200 OK</d:status>";

HttpResponse Answer(int status, std::string body = std::string()) {
  HttpResponse response;
  response.status = status;
  response.body = std::move(body);
  return response;
}

std::string Header(const HttpRequest& request, const std::string& name) {
  for (const auto& header : request.headers) {
    if (header.first == name) return header.second;
  }
  return std::string();
}

// The first texts of the elements of that local name, and the root's name.
struct RequestBody {
  std::string root;
  std::vector<std::string> hrefs;
  std::string token;
  bool hasToken = false;
  std::string displayName;
};

RequestBody ReadBody(const std::string& body) {
  RequestBody read;
  auto reader = NewLibXmlReader(body);
  std::string open;
  for (;;) {
    XmlNode node = reader->Next();
    if (node == XmlNode::kEnd || node == XmlNode::kError) break;
    if (node == XmlNode::kStartElement) {
      if (read.root.empty()) read.root = reader->LocalName();
      open = reader->LocalName();
      if (open == "sync-token") read.hasToken = true;
      if (open == "href") read.hrefs.emplace_back();
    } else if (node == XmlNode::kText) {
      if (open == "href") read.hrefs.back() += reader->Text();
      if (open == "sync-token") read.token += reader->Text();
      if (open == "displayname") read.displayName += reader->Text();
    } else {
      open.clear();
    }
  }
  return read;
}

std::string Response(const std::string& href, const std::string& props) {
  return "<d:response><d:href>" + EscapeXml(href) + "</d:href><d:propstat><d:prop>" + props + "</d:prop>" + kOk +
         "</d:propstat></d:response>";
}

}  // namespace

CFakeCalDavServer::CFakeCalDavServer() = default;

void CFakeCalDavServer::Changed(const std::string& name) {
  ++m_change;
  m_removed.erase(name);
  auto found = m_items.find(name);
  if (found != m_items.end()) found->second.change = m_change;
}

void CFakeCalDavServer::Put(const std::string& name, const std::string& text) {
  Item& item = m_items[name];
  item.text = text;
  item.etag = "\"" + std::to_string(++m_etag) + "\"";
  Changed(name);
}

void CFakeCalDavServer::Remove(const std::string& name) {
  m_items.erase(name);
  ++m_change;
  m_removed[name] = m_change;
}

void CFakeCalDavServer::Touch(const std::string& name) {
  auto found = m_items.find(name);
  if (found == m_items.end()) return;
  found->second.etag = "\"" + std::to_string(++m_etag) + "\"";
  Changed(name);
}

std::string CFakeCalDavServer::Text(const std::string& name) const {
  auto found = m_items.find(name);
  return found == m_items.end() ? std::string() : found->second.text;
}

std::vector<std::string> CFakeCalDavServer::Names() const {
  std::vector<std::string> names;
  for (const auto& [name, item] : m_items) names.push_back(name);
  return names;
}

void CFakeCalDavServer::Replace() {
  m_items.clear();
  m_removed.clear();
  ++m_epoch;
}

int CFakeCalDavServer::Requests(const std::string& method) const {
  auto found = m_byMethod.find(method);
  return found == m_byMethod.end() ? 0 : found->second;
}

std::string CFakeCalDavServer::Href(const std::string& name, bool fetched) const {
  std::string href = kCalendar;
  for (char c : name) {
    if (c == '@' && faults.escapeAt && fetched) {
      href += "%40";
    } else if (c == ' ') {
      href += "%20";
    } else {
      href += c;
    }
  }
  return href;
}

std::string CFakeCalDavServer::Token() const {
  return "http://fake.invalid/sync/" + std::to_string(m_epoch) + "-" + std::to_string(m_change);
}

void CFakeCalDavServer::CountWrite() {
  ++m_writes;
  if (faults.killAfterWrites >= 0 && m_writes > faults.killAfterWrites) {
    // The write reached the server; the process that sent it is gone before the answer.
    throw std::runtime_error("killed after a write");
  }
}

HttpResponse CFakeCalDavServer::Send(const HttpRequest& request) {
  HttpResponse response = Answered(request);
  if (faults.bodyLimit != 0 && response.body.size() > faults.bodyLimit) {
    response = HttpResponse();
    response.failure = HttpFailure::kTooLarge;
  }
  return response;
}

HttpResponse CFakeCalDavServer::Answered(const HttpRequest& request) {
  ++m_requests;
  ++m_byMethod[request.method];
  if (faults.failure != HttpFailure::kNone) {
    HttpResponse failed;
    failed.failure = faults.failure;
    return failed;
  }
  if (faults.statusForAll != 0) return Answer(faults.statusForAll);
  DavUrl url;
  if (!ParseDavUrl(request.url, url) || url.origin != kOrigin) return Answer(400);
  const std::string path = HrefKey(url.path) + (url.path.size() > 1 && url.path.back() == '/' ? "/" : "");
  if (path == "/.well-known/caldav") {
    HttpResponse moved = Answer(301);
    moved.headers.emplace_back("Location", "/");
    return moved;
  }
  if (request.method == "PROPFIND") return Propfind(request, path);
  if (request.method == "REPORT") return path == kCalendar ? Report(request) : Answer(404);
  if (request.method == "MKCALENDAR") {
    if (path.compare(0, std::char_traits<char>::length(kHome), kHome) != 0) return Answer(403);
    if (path == kCalendar || !m_otherCalendars.insert(path).second) return Answer(405);
    return Answer(201);
  }
  const std::string calendar = kCalendar;
  if (path.compare(0, calendar.size(), calendar) != 0 || path.size() == calendar.size()) return Answer(404);
  const std::string name = path.substr(calendar.size());
  if (request.method == "GET") {
    auto found = m_items.find(name);
    if (found == m_items.end()) return Answer(404);
    HttpResponse response = Answer(200, found->second.text);
    response.headers.emplace_back("ETag", found->second.etag);
    return response;
  }
  if (request.method == "PUT") return PutRequest(request, name);
  if (request.method == "DELETE") return DeleteRequest(request, name);
  return Answer(405);
}

HttpResponse CFakeCalDavServer::PutRequest(const HttpRequest& request, const std::string& name) {
  if (faults.writeStatus != 0) return Answer(faults.writeStatus);
  auto found = m_items.find(name);
  const std::string ifMatch = Header(request, "If-Match");
  if (Header(request, "If-None-Match") == "*" && found != m_items.end()) return Answer(412);
  if (!ifMatch.empty() && (found == m_items.end() || found->second.etag != ifMatch)) return Answer(412);
  if (faults.failWrites > 0) {
    --faults.failWrites;
    return Answer(412);
  }
  std::string text = request.body;
  if (faults.stampOnPut) {
    // As servers do: their own PRODID and a stamp of the moment.
    std::string rewritten;
    size_t start = 0;
    while (start < text.size()) {
      size_t end = text.find('\n', start);
      if (end == std::string::npos) end = text.size() - 1;
      std::string line = text.substr(start, end - start + 1);
      if (line.compare(0, 7, "PRODID:") == 0) line = "PRODID:-//Fake Server//EN\r\n";
      if (line.compare(0, 8, "DTSTAMP:") == 0) line = "DTSTAMP:20991231T235959Z\r\n";
      rewritten += line;
      start = end + 1;
    }
    text = rewritten;
  }
  const bool created = found == m_items.end();
  Put(name, text);
  CountWrite();
  HttpResponse response = Answer(created ? 201 : 204);
  if (!faults.noEtagOnPut) response.headers.emplace_back("ETag", m_items[name].etag);
  return response;
}

HttpResponse CFakeCalDavServer::DeleteRequest(const HttpRequest& request, const std::string& name) {
  auto found = m_items.find(name);
  if (found == m_items.end()) return Answer(404);
  const std::string ifMatch = Header(request, "If-Match");
  if (!ifMatch.empty() && found->second.etag != ifMatch) return Answer(412);
  if (faults.failWrites > 0) {
    --faults.failWrites;
    return Answer(412);
  }
  Remove(name);
  CountWrite();
  return Answer(204);
}

HttpResponse CFakeCalDavServer::Propfind(const HttpRequest& request, const std::string& path) {
  const std::string depth = Header(request, "Depth");
  std::string body = kMultistatusHead;
  if (path == "/" || path == kPrincipal) {
    body += Response(path, std::string("<d:current-user-principal><d:href>") + kPrincipal +
                               "</d:href></d:current-user-principal><c:calendar-home-set><d:href>" + kHome +
                               "</d:href></c:calendar-home-set><d:resourcetype><d:collection/></d:resourcetype>");
  } else if (path == kHome) {
    body += Response(kHome, "<d:resourcetype><d:collection/></d:resourcetype>");
    if (depth == "1") {
      const std::string events =
          "<c:supported-calendar-component-set><c:comp name=\"VEVENT\"/>"
          "</c:supported-calendar-component-set>";
      body += Response(kCalendar, "<d:resourcetype><d:collection/><c:calendar/></d:resourcetype><d:displayname>" +
                                      EscapeXml(displayName) + "</d:displayname>" + events);
      body += Response(std::string(kHome) + "tasks/",
                       "<d:resourcetype><d:collection/><c:calendar/></d:resourcetype><d:displayname>Tasks"
                       "</d:displayname><c:supported-calendar-component-set><c:comp name=\"VTODO\"/>"
                       "</c:supported-calendar-component-set>");
      for (const std::string& other : m_otherCalendars) {
        body += Response(other, "<d:resourcetype><d:collection/><c:calendar/></d:resourcetype>" + events);
      }
    }
  } else if (path == std::string(kHome) + "tasks/") {
    body += Response(path,
                     "<d:resourcetype><d:collection/><c:calendar/></d:resourcetype><d:displayname>Tasks"
                     "</d:displayname><c:supported-calendar-component-set><c:comp name=\"VTODO\"/>"
                     "</c:supported-calendar-component-set>");
  } else if (path == kCalendar) {
    body += Response(kCalendar, "<d:resourcetype><d:collection/><c:calendar/></d:resourcetype><d:displayname>" +
                                    EscapeXml(displayName) +
                                    "</d:displayname><c:supported-calendar-component-set><c:comp name=\"VEVENT\"/>"
                                    "</c:supported-calendar-component-set><cs:getctag>" +
                                    std::to_string(m_change) + "</cs:getctag><d:sync-token>" + Token() +
                                    "</d:sync-token><d:resource-id><d:href>urn:uuid:fake-" + std::to_string(m_epoch) +
                                    "</d:href></d:resource-id>");
    if (depth == "1" && !faults.hideEverything) {
      for (const auto& [name, item] : m_items) {
        body += Response(Href(name), "<d:getetag>" + EscapeXml(item.etag) +
                                         "</d:getetag><d:getcontenttype>text/calendar; charset=utf-8</d:getcontenttype>"
                                         "<d:resourcetype/>");
      }
    }
  } else {
    return Answer(404);
  }
  return Answer(207, body + kMultistatusTail);
}

HttpResponse CFakeCalDavServer::Report(const HttpRequest& request) {
  const RequestBody read = ReadBody(request.body);
  if (read.root == "sync-collection") {
    if (faults.noSyncCollection) return Answer(501);
    return SyncCollection(read.token);
  }
  if (read.root == "calendar-multiget") {
    if (faults.noMultiget) return Answer(501);
    if (faults.malformedMultiget) return Answer(207, std::string(kMultistatusHead) + "<d:response><d:href>");
    return Multiget(read.hrefs);
  }
  return Answer(400);
}

HttpResponse CFakeCalDavServer::SyncCollection(const std::string& token) {
  long since = 0;
  if (!token.empty()) {
    const std::string prefix = "http://fake.invalid/sync/" + std::to_string(m_epoch) + "-";
    if (token.compare(0, prefix.size(), prefix) != 0) {
      return Answer(403, "<?xml version=\"1.0\"?><d:error xmlns:d=\"DAV:\"><d:valid-sync-token/></d:error>");
    }
    since = std::stol(token.substr(prefix.size()));
  }
  // The changes after the token, in the order they were made.
  std::map<long, std::string> changes;
  if (!faults.hideEverything) {
    for (const auto& [name, item] : m_items) {
      if (item.change > since) changes[item.change] = name;
    }
  }
  if (since > 0) {
    for (const auto& [name, change] : m_removed) {
      if (change > since) changes[change] = name;
    }
  }
  std::string body = kMultistatusHead;
  long last = m_change;
  int count = 0;
  bool truncated = false;
  for (const auto& [change, name] : changes) {
    if (faults.truncateAfter > 0 && count == faults.truncateAfter) {
      truncated = true;
      break;
    }
    ++count;
    last = change;
    auto found = m_items.find(name);
    if (found == m_items.end()) {
      body += "<d:response><d:href>" + EscapeXml(Href(name)) +
              "</d:href><d:status>HTTP/1.1 404 Not Found</d:status>"
              "</d:response>";
    } else {
      body += Response(Href(name), faults.noEtagInListings
                                       ? std::string("<d:getcontenttype>text/calendar</d:getcontenttype>")
                                       : "<d:getetag>" + EscapeXml(found->second.etag) + "</d:getetag>");
    }
  }
  if (truncated) {
    body += std::string("<d:response><d:href>") + kCalendar +
            "</d:href><d:status>HTTP/1.1 507 Insufficient Storage</d:status></d:response>";
  } else {
    last = m_change;
  }
  body += "<d:sync-token>http://fake.invalid/sync/" + std::to_string(m_epoch) + "-" + std::to_string(last) +
          "</d:sync-token>";
  return Answer(207, body + kMultistatusTail);
}

HttpResponse CFakeCalDavServer::Multiget(const std::vector<std::string>& hrefs) {
  std::string body = kMultistatusHead;
  for (const std::string& href : hrefs) {
    const std::string key = HrefKey(href);
    const std::string calendar = HrefKey(kCalendar) + "/";
    const std::string name = key.compare(0, calendar.size(), calendar) == 0 ? key.substr(calendar.size()) : "";
    auto found = m_items.find(name);
    if (found == m_items.end()) {
      body += "<d:response><d:href>" + EscapeXml(href) +
              "</d:href><d:status>HTTP/1.1 404 Not Found</d:status>"
              "</d:response>";
      continue;
    }
    std::string text = found->second.text;
    for (size_t at = text.find('\r'); faults.crReadAsSpace && at != std::string::npos; at = text.find('\r', at))
      text[at] = ' ';
    body += Response(Href(name, true), "<d:getetag>" + EscapeXml(found->second.etag) + "</d:getetag><c:calendar-data>" +
                                           EscapeXml(text) + "</c:calendar-data>");
  }
  return Answer(207, body + kMultistatusTail);
}
