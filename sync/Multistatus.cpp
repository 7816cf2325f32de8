#include "sync/Multistatus.h"

#include <algorithm>

#include "sync/CalendarText.h"
#include "sync/XmlReader.h"

namespace {

constexpr const char* kDav = "DAV:";
constexpr const char* kCalDav = "urn:ietf:params:xml:ns:caldav";
constexpr const char* kCalendarServer = "http://calendarserver.org/ns/";
// Far deeper than any multistatus nests: a document beyond it is hostile.
constexpr size_t kMaxDepth = 64;

struct Element {
  std::string ns;
  std::string name;

  bool Is(const char* elementNs, const char* elementName) const { return ns == elementNs && name == elementName; }
};

std::string Trimmed(const std::string& text) {
  const char* space = " \t\r\n";
  const size_t start = text.find_first_not_of(space);
  if (start == std::string::npos) return std::string();
  return text.substr(start, text.find_last_not_of(space) - start + 1);
}

class CMultistatusParser {
 public:
  CMultistatusParser(IXmlReader& reader, const std::function<void(DavResponse&)>& each, MultistatusReading& reading)
      : m_reader(reader), m_each(each), m_reading(reading) {}

  bool Run() {
    for (;;) {
      switch (m_reader.Next()) {
        case XmlNode::kStartElement:
          if (!Start()) return false;
          break;
        case XmlNode::kEndElement:
          if (m_open.empty()) return false;
          End();
          break;
        case XmlNode::kText:
          if (m_collecting) m_text += m_reader.Text();
          break;
        case XmlNode::kEnd:
          return m_sawRoot && m_open.empty();
        case XmlNode::kError:
          return false;
      }
    }
  }

 private:
  bool Start() {
    Element element{m_reader.NamespaceUri(), m_reader.LocalName()};
    if (m_open.empty()) {
      if (m_sawRoot || !element.Is(kDav, "multistatus")) return false;
      m_sawRoot = true;
    }
    if (m_open.size() >= kMaxDepth) return false;
    m_open.push_back(element);
    m_text.clear();
    m_collecting = IsLeaf(element);
    if (element.Is(kDav, "response") && m_open.size() == 2) m_response = DavResponse();
    if (element.Is(kDav, "propstat") && InResponse()) m_found = DavResponse();
    if (element.Is(kCalDav, "comp") && Parent(1).Is(kCalDav, "supported-calendar-component-set")) {
      std::string name;
      if (m_reader.Attribute("", "name", name)) m_found.components.push_back(name);
    }
    if (m_reader.IsEmptyElement()) End();
    return true;
  }

  void End() {
    const Element element = m_open.back();
    const std::string text = m_collecting ? Trimmed(m_text) : std::string();
    Take(element, text);
    m_collecting = false;
    m_text.clear();
    m_open.pop_back();
  }

  // The elements whose text the sync reads.
  static bool IsLeaf(const Element& element) {
    static const Element kLeaves[] = {
        {kDav, "href"},       {kDav, "status"},         {kDav, "getetag"},          {kDav, "displayname"},
        {kDav, "sync-token"}, {kDav, "getcontenttype"}, {kCalDav, "calendar-data"}, {kCalendarServer, "getctag"},
    };
    return std::any_of(std::begin(kLeaves), std::end(kLeaves),
                       [&](const Element& leaf) { return leaf.ns == element.ns && leaf.name == element.name; });
  }

  // The element n levels above the one on top; an empty one above the root.
  const Element& Parent(size_t n) const {
    static const Element kNone;
    return m_open.size() > n ? m_open[m_open.size() - 1 - n] : kNone;
  }

  bool InResponse() const { return m_open.size() >= 2 && m_open[1].Is(kDav, "response"); }
  // Inside response/propstat/prop: the property is element m_open[4].
  bool InProp() const {
    return m_open.size() >= 5 && InResponse() && m_open[2].Is(kDav, "propstat") && m_open[3].Is(kDav, "prop");
  }

  void Take(const Element& element, const std::string& text) {
    const size_t depth = m_open.size();
    if (depth == 2 && element.Is(kDav, "sync-token")) {
      m_reading.syncToken = text;
    } else if (depth == 2 && element.Is(kDav, "response")) {
      ++m_reading.responses;
      m_each(m_response);
    } else if (depth == 3 && InResponse() && element.Is(kDav, "href")) {
      if (!text.empty()) m_response.hrefs.push_back(text);
    } else if (depth == 3 && InResponse() && element.Is(kDav, "status")) {
      m_response.status = StatusOfLine(text);
    } else if (depth == 4 && InResponse() && element.Is(kDav, "status") && Parent(1).Is(kDav, "propstat")) {
      m_propstatStatus = StatusOfLine(text);
    } else if (depth == 3 && InResponse() && element.Is(kDav, "propstat")) {
      if (m_propstatStatus >= 200 && m_propstatStatus < 300) Join(m_found);
      m_propstatStatus = 0;
    } else if (InProp()) {
      TakeProperty(element, depth, text);
    }
  }

  void TakeProperty(const Element& element, size_t depth, const std::string& text) {
    const Element& property = m_open[4];
    DavResponse& found = m_found;
    if (depth == 5) {
      if (element.Is(kDav, "getetag")) {
        found.hasEtag = !text.empty();
        found.etag = text;
      } else if (element.Is(kCalDav, "calendar-data")) {
        found.hasCalendarData = true;
        // As sent, but for the line breaks and spaces an XML writer puts before it.
        found.calendarData =
            RestoreCarriageReturns(m_text.substr(std::min(m_text.size(), m_text.find_first_not_of(" \t\r\n"))));
      } else if (element.Is(kDav, "displayname")) {
        found.displayName = text;
      } else if (element.Is(kDav, "getcontenttype")) {
        found.contentType = text;
      } else if (element.Is(kCalendarServer, "getctag")) {
        found.ctag = text;
      } else if (element.Is(kDav, "sync-token")) {
        found.syncToken = text;
      } else if (element.Is(kCalDav, "supported-calendar-component-set")) {
        found.hasComponents = true;
      }
    } else if (depth == 6 && property.Is(kDav, "resourcetype")) {
      if (element.Is(kDav, "collection")) found.isCollection = true;
      if (element.Is(kCalDav, "calendar")) found.isCalendar = true;
    } else if (depth == 6 && element.Is(kDav, "href")) {
      if (property.Is(kDav, "current-user-principal")) found.principalHref = text;
      if (property.Is(kCalDav, "calendar-home-set") && found.homeHref.empty()) found.homeHref = text;
      if (property.Is(kDav, "resource-id")) found.resourceId = text;
    }
  }

  // What a propstat of a 2xx status found joins the response.
  void Join(DavResponse& found) {
    DavResponse& to = m_response;
    if (found.hasEtag) {
      to.hasEtag = true;
      to.etag = found.etag;
    }
    if (found.hasCalendarData) {
      to.hasCalendarData = true;
      to.calendarData.swap(found.calendarData);
    }
    if (!found.displayName.empty()) to.displayName = found.displayName;
    to.isCollection = to.isCollection || found.isCollection;
    to.isCalendar = to.isCalendar || found.isCalendar;
    if (found.hasComponents) {
      to.hasComponents = true;
      to.components = found.components;
    }
    if (!found.contentType.empty()) to.contentType = found.contentType;
    if (!found.ctag.empty()) to.ctag = found.ctag;
    if (!found.syncToken.empty()) to.syncToken = found.syncToken;
    if (!found.principalHref.empty()) to.principalHref = found.principalHref;
    if (!found.homeHref.empty()) to.homeHref = found.homeHref;
    if (!found.resourceId.empty()) to.resourceId = found.resourceId;
  }

  IXmlReader& m_reader;
  const std::function<void(DavResponse&)>& m_each;
  MultistatusReading& m_reading;
  std::vector<Element> m_open;
  std::string m_text;
  bool m_collecting = false;
  bool m_sawRoot = false;
  DavResponse m_response;
  DavResponse m_found;  // of the propstat being read
  int m_propstatStatus = 0;
};

}  // namespace

bool DavResponse::HoldsEvents() const {
  return !hasComponents || std::find(components.begin(), components.end(), "VEVENT") != components.end();
}

int StatusOfLine(const std::string& line) {
  const size_t space = line.find(' ');
  if (space == std::string::npos || space + 4 > line.size()) return 0;
  int status = 0;
  for (size_t i = space + 1; i < space + 4; ++i) {
    if (line[i] < '0' || line[i] > '9') return 0;
    status = status * 10 + (line[i] - '0');
  }
  return space + 4 == line.size() || line[space + 4] == ' ' ? status : 0;
}

bool ReadMultistatus(IXmlReader& reader, const std::function<void(DavResponse& response)>& each,
                     MultistatusReading& reading) {
  return CMultistatusParser(reader, each, reading).Run();
}
