#pragma once
// A pull reader of an XML document, as the platforms' own readers are
// (XmlLite on Windows, libxml2's text reader in the native tests): the
// multistatus replies of the calendar server are read through it, and no
// XML is parsed by hand.
#include <functional>
#include <memory>
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
  // Of the start element just read: the value of its attribute of that
  // namespace ("" for an attribute without a prefix) and local name, UTF-8;
  // false when it has none.
  virtual bool Attribute(const std::string& namespaceUri, const std::string& localName, std::string& value) const = 0;
};

// A reader over a whole document, which the caller keeps alive while it reads.
using XmlReaderFactory = std::function<std::unique_ptr<IXmlReader>(const std::string& document)>;
