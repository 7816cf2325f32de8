#include "sync/DavBodies.h"

namespace {

constexpr const char* kHead = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n";

std::string Propfind(const char* namespaces, const char* properties) {
  return std::string(kHead) + "<D:propfind xmlns:D=\"DAV:\"" + namespaces + "><D:prop>" + properties +
         "</D:prop></D:propfind>";
}

constexpr const char* kCalDav = " xmlns:C=\"urn:ietf:params:xml:ns:caldav\"";
constexpr const char* kCalDavAndServer =
    " xmlns:C=\"urn:ietf:params:xml:ns:caldav\" xmlns:CS=\"http://calendarserver.org/ns/\"";

}  // namespace

std::string EscapeXml(const std::string& text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      case '\'':
        escaped += "&apos;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

std::string CalendarPropfindBody() {
  return Propfind(kCalDavAndServer,
                  "<D:resourcetype/><D:displayname/><C:supported-calendar-component-set/><CS:getctag/>"
                  "<D:sync-token/><D:resource-id/>");
}

std::string PrincipalPropfindBody() { return Propfind("", "<D:current-user-principal/>"); }

std::string HomePropfindBody() { return Propfind(kCalDav, "<C:calendar-home-set/>"); }

std::string EtagPropfindBody() { return Propfind("", "<D:resourcetype/><D:getetag/><D:getcontenttype/>"); }

std::string SyncCollectionBody(const std::string& token) {
  return std::string(kHead) + "<D:sync-collection xmlns:D=\"DAV:\"><D:sync-token>" + EscapeXml(token) +
         "</D:sync-token><D:sync-level>1</D:sync-level><D:prop><D:getetag/></D:prop></D:sync-collection>";
}

std::string MultigetBody(const std::vector<std::string>& hrefs) {
  std::string body = std::string(kHead) + "<C:calendar-multiget xmlns:D=\"DAV:\"" + kCalDav +
                     "><D:prop><D:getetag/><C:calendar-data/></D:prop>";
  for (const std::string& href : hrefs) body += "<D:href>" + EscapeXml(href) + "</D:href>";
  return body + "</C:calendar-multiget>";
}

std::string MakeCalendarBody(const std::string& displayName) {
  return std::string(kHead) + "<C:mkcalendar xmlns:D=\"DAV:\"" + kCalDav + "><D:set><D:prop><D:displayname>" +
         EscapeXml(displayName) +
         "</D:displayname><C:supported-calendar-component-set><C:comp name=\"VEVENT\"/>"
         "</C:supported-calendar-component-set></D:prop></D:set></C:mkcalendar>";
}
