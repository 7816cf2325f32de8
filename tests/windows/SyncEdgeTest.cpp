// The calendar sync's Windows edge without a server: XmlLite's reading of
// replies as the sync sees it, and the password in the Credential Manager.
#include <gtest/gtest.h>

#include <string>

#include "sync/win/CredentialStore.h"
#include "sync/win/XmlLiteReader.h"

namespace {

// The nodes of a document, one token each: S{ns}name (with / when it closes
// itself), E{ns}name, T'text'; then END or ERROR.
std::string Nodes(const std::string& document) {
  std::unique_ptr<IXmlReader> reader = OpenXmlLiteReader(document);
  std::string tokens;
  for (int guard = 0; guard < 1000; ++guard) {
    const XmlNode node = reader->Next();
    switch (node) {
      case XmlNode::kStartElement:
        tokens += "S{" + reader->NamespaceUri() + "}" + reader->LocalName() + (reader->IsEmptyElement() ? "/ " : " ");
        break;
      case XmlNode::kEndElement:
        tokens += "E{" + reader->NamespaceUri() + "}" + reader->LocalName() + " ";
        break;
      case XmlNode::kText:
        tokens += "T'" + reader->Text() + "' ";
        break;
      case XmlNode::kEnd:
      case XmlNode::kError:
        tokens += node == XmlNode::kEnd ? "END" : "ERROR";
        // And the same again.
        if (reader->Next() != node) tokens += " AND THEN SOMETHING";
        return tokens;
    }
  }
  return tokens + "NO END";
}

// 予定 in UTF-8.
#define YOTEI "\xE4\xBA\x88\xE5\xAE\x9A"

TEST(XmlLiteReaderTest, RepliesAsTheSyncReadsThem) {
  struct Case {
    const char* name;
    std::string document;
    std::string nodes;
  };
  const std::string propstat =
      "S{DAV:}response S{DAV:}href T'/anna/cal/' E{DAV:}href S{DAV:}propstat S{DAV:}prop S{DAV:}displayname "
      "T'" YOTEI
      "' E{DAV:}displayname S{DAV:}resourcetype S{DAV:}collection/ "
      "S{urn:ietf:params:xml:ns:caldav}calendar/ E{DAV:}resourcetype E{DAV:}prop E{DAV:}propstat E{DAV:}response ";
  const Case cases[] = {
      {"prefixed",
       "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<d:multistatus xmlns:d=\"DAV:\" "
       "xmlns:c=\"urn:ietf:params:xml:ns:caldav\">\n  <d:response><d:href>/anna/cal/</d:href>\n"
       "<d:propstat><d:prop><d:displayname>" YOTEI "</d:displayname><d:resourcetype><d:collection/><c:calendar/>"
       "</d:resourcetype></d:prop></d:propstat></d:response>\n</d:multistatus>\n",
       "S{DAV:}multistatus " + propstat + "E{DAV:}multistatus END"},
      {"default namespace, comments and a processing instruction between",
       "<multistatus xmlns=\"DAV:\"><!-- x --><response><href>/anna/cal/</href><?pi x?><propstat><prop>"
       "<displayname>" YOTEI "</displayname><resourcetype><collection/>"
       "<C:calendar xmlns:C=\"urn:ietf:params:xml:ns:caldav\"/></resourcetype></prop></propstat></response>"
       "</multistatus>",
       "S{DAV:}multistatus " + propstat + "E{DAV:}multistatus END"},
      {"text, CDATA and entities joined into one text", "<a xmlns=\"DAV:\">x &amp; y<![CDATA[ <b> ]]>&#x4E88;&lt;</a>",
       "S{DAV:}a T'x & y <b> \xE4\xBA\x88<' E{DAV:}a END"},
      {"calendar data's line ends as XML reads them",
       "<c:calendar-data xmlns:c=\"urn:ietf:params:xml:ns:caldav\">"
       "BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n</c:calendar-data>",
       "S{urn:ietf:params:xml:ns:caldav}calendar-data T'BEGIN:VCALENDAR\nEND:VCALENDAR\n' "
       "E{urn:ietf:params:xml:ns:caldav}calendar-data END"},
      {"UTF-16 with its byte order mark", std::string("\xFF\xFE<\0a\0>\0\x88\x4E<\0/\0a\0>\0", 18),
       "S{}a T'\xE4\xBA\x88' E{}a END"},
      {"an element left open", "<d:multistatus xmlns:d=\"DAV:\"><d:response>",
       "S{DAV:}multistatus S{DAV:}response ERROR"},
      {"elements crossed", "<a><b></a></b>", "S{}a S{}b ERROR"},
      {"a prefix never declared", "<d:multistatus/>", "ERROR"},
      {"bytes that are no UTF-8", "<a>\xFE\xC0\x80</a>", "ERROR"},
      {"a surrogate written in UTF-8", "<a>\xED\xA0\x80</a>", "ERROR"},
      {"text cut by an error is never handed out", "<a>half a text</b>", "S{}a ERROR"},
      {"no document at all", "", "ERROR"},
      {"not XML", "HTTP/1.1 500 Internal Server Error", "ERROR"},
      {"two roots", "<a/><b/>", "S{}a/ ERROR"},
      {"entities that multiply",
       "<!DOCTYPE a [<!ENTITY x \"xxxxxxxxxx\"><!ENTITY y \"&x;&x;&x;&x;&x;&x;\">]><a>&y;</a>", "ERROR"},
      {"an entity from outside", "<!DOCTYPE a [<!ENTITY e SYSTEM \"file:///c:/windows/win.ini\">]><a>&e;</a>", "ERROR"},
  };
  for (const Case& c : cases) EXPECT_EQ(Nodes(c.document), c.nodes) << c.name;
}

TEST(XmlLiteReaderTest, AStartElementsAttributesByNamespaceAndName) {
  std::unique_ptr<IXmlReader> reader = OpenXmlLiteReader(
      "<C:supported-calendar-component-set xmlns:C=\"urn:ietf:params:xml:ns:caldav\" xmlns:x=\"urn:x\">"
      "<C:comp name=\"VEVENT\" x:name=\"other\"/>text<C:comp name=\"VTODO\"></C:comp>"
      "</C:supported-calendar-component-set>");
  std::string value;
  ASSERT_EQ(reader->Next(), XmlNode::kStartElement);
  EXPECT_FALSE(reader->Attribute("", "name", value));
  ASSERT_EQ(reader->Next(), XmlNode::kStartElement);
  EXPECT_TRUE(reader->Attribute("", "name", value));
  EXPECT_EQ(value, "VEVENT");
  EXPECT_TRUE(reader->Attribute("urn:x", "name", value));
  EXPECT_EQ(value, "other");
  EXPECT_FALSE(reader->Attribute("urn:ietf:params:xml:ns:caldav", "name", value));
  ASSERT_EQ(reader->Next(), XmlNode::kText);
  EXPECT_FALSE(reader->Attribute("", "name", value));
  // Read ahead of the text, the element still has its own.
  ASSERT_EQ(reader->Next(), XmlNode::kStartElement);
  EXPECT_TRUE(reader->Attribute("", "name", value));
  EXPECT_EQ(value, "VTODO");
  ASSERT_EQ(reader->Next(), XmlNode::kEndElement);
  EXPECT_FALSE(reader->Attribute("", "name", value));
}

TEST(XmlLiteReaderTest, NestingWithoutEndIsRefusedAtItsDepth) {
  std::string deep;
  for (int i = 0; i < 5000; ++i) deep += "<a>";
  const std::string nodes = Nodes(deep);
  EXPECT_EQ(nodes.substr(nodes.size() - 5), "ERROR");
  EXPECT_LT(nodes.size(), 300u * 5);  // stopped near its bound, not at the end of the input
}

TEST(CredentialStoreTest, APasswordIsKeptPerAccountAndGoneWhenForgotten) {
  const std::wstring anna = CredentialTarget("https://dav.example.org/anna/calendar/", "anna");
  const std::wstring annaElsewhere = CredentialTarget("https://dav.example.org:8443/anna/calendar/", "anna");
  const std::wstring bob = CredentialTarget("https://dav.example.org/anna/calendar/", "bob");
  ForgetPassword(anna);
  ForgetPassword(annaElsewhere);
  ForgetPassword(bob);
  EXPECT_NE(anna, annaElsewhere);
  EXPECT_NE(anna, bob);
  // Another calendar of the account, the host spelt otherwise: the same password.
  EXPECT_EQ(anna, CredentialTarget("https://DAV.example.org:443/anna/plannix/", "anna"));

  std::wstring read = L"stale";
  EXPECT_FALSE(ReadPassword(anna, read));
  EXPECT_EQ(read, L"");

  const std::wstring password = L"p\u00e4ss \u4e88\u5b9a \U0001F600";
  ASSERT_TRUE(StorePassword(anna, "anna", password));
  ASSERT_TRUE(StorePassword(bob, "bob", L"bobs"));
  EXPECT_TRUE(ReadPassword(anna, read));
  EXPECT_EQ(read, password);
  EXPECT_FALSE(ReadPassword(annaElsewhere, read));

  ASSERT_TRUE(StorePassword(anna, "anna", L"new"));
  EXPECT_TRUE(ReadPassword(anna, read));
  EXPECT_EQ(read, L"new");

  EXPECT_TRUE(ForgetPassword(anna));
  EXPECT_FALSE(ReadPassword(anna, read));
  EXPECT_TRUE(ForgetPassword(anna));  // gone already: still gone
  EXPECT_TRUE(ReadPassword(bob, read));
  EXPECT_EQ(read, L"bobs");
  ForgetPassword(bob);

  std::wstring held = L"secret";
  WipePassword(held);
  EXPECT_TRUE(held.empty());
}

}  // namespace
