#pragma once
// A pull reader of an XML document, as the platforms' own readers are
// (XmlLite on Windows, libxml2's text reader in the native tests): the
// multistatus replies of the calendar server are read through it, and no
// XML is parsed by hand.
#include <string>

enum class XmlNode { kStartElement, kEndElement, kText, kEnd, kError };

class IXmlReader {
 public:
  virtual ~IXmlReader() = default;
  // The next node; after kEnd or kError, the same again. Comments,
  // processing instructions and whitespace between elements are skipped.
  virtual XmlNode Next() = 0;
  // Of the element just read (start or end): its namespace URI ("DAV:")
  // and its local name ("href"), UTF-8.
  virtual const std::string& NamespaceUri() const = 0;
  virtual const std::string& LocalName() const = 0;
  // A start element that closes itself (<d:prop/>): no end element follows.
  virtual bool IsEmptyElement() const = 0;
  // Of text or CDATA: its characters, entities resolved, UTF-8.
  virtual const std::string& Text() const = 0;
};
