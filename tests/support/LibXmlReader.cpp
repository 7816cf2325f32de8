#include "tests/support/LibXmlReader.h"

#include <libxml/xmlreader.h>

namespace {

void IgnoreError(void*, const char*, xmlParserSeverities, xmlTextReaderLocatorPtr) {}

std::string Utf8(const xmlChar* text) { return text == nullptr ? std::string() : reinterpret_cast<const char*>(text); }

class CLibXmlReader : public IXmlReader {
 public:
  explicit CLibXmlReader(const std::string& document)
      : m_reader(xmlReaderForMemory(document.data(), static_cast<int>(document.size()), nullptr, nullptr,
                                    XML_PARSE_NONET | XML_PARSE_NOCDATA)) {
    if (m_reader != nullptr) xmlTextReaderSetErrorHandler(m_reader, IgnoreError, nullptr);
  }
  ~CLibXmlReader() override {
    if (m_reader != nullptr) xmlFreeTextReader(m_reader);
  }
  CLibXmlReader(const CLibXmlReader&) = delete;
  CLibXmlReader& operator=(const CLibXmlReader&) = delete;

  XmlNode Next() override {
    if (m_last == XmlNode::kEnd || m_last == XmlNode::kError) return m_last;
    if (m_reader == nullptr) return m_last = XmlNode::kError;
    for (;;) {
      const int read = xmlTextReaderRead(m_reader);
      if (read < 0) return m_last = XmlNode::kError;
      if (read == 0) return m_last = XmlNode::kEnd;
      switch (xmlTextReaderNodeType(m_reader)) {
        case XML_READER_TYPE_ELEMENT:
          m_namespace = Utf8(xmlTextReaderConstNamespaceUri(m_reader));
          m_name = Utf8(xmlTextReaderConstLocalName(m_reader));
          m_empty = xmlTextReaderIsEmptyElement(m_reader) == 1;
          return m_last = XmlNode::kStartElement;
        case XML_READER_TYPE_END_ELEMENT:
          m_namespace = Utf8(xmlTextReaderConstNamespaceUri(m_reader));
          m_name = Utf8(xmlTextReaderConstLocalName(m_reader));
          m_empty = false;
          return m_last = XmlNode::kEndElement;
        case XML_READER_TYPE_TEXT:
        case XML_READER_TYPE_CDATA:
        case XML_READER_TYPE_SIGNIFICANT_WHITESPACE:
          m_text = Utf8(xmlTextReaderConstValue(m_reader));
          return m_last = XmlNode::kText;
        case XML_READER_TYPE_ENTITY_REFERENCE:
          // An entity of the document's own: never expanded.
          return m_last = XmlNode::kError;
        default:
          break;  // whitespace between elements, comments, processing instructions, the doctype
      }
    }
  }

  const std::string& NamespaceUri() const override { return m_namespace; }
  const std::string& LocalName() const override { return m_name; }
  bool IsEmptyElement() const override { return m_empty; }
  const std::string& Text() const override { return m_text; }

  bool Attribute(const std::string& namespaceUri, const std::string& localName, std::string& value) const override {
    const xmlChar* name = reinterpret_cast<const xmlChar*>(localName.c_str());
    xmlChar* found = namespaceUri.empty() ? xmlTextReaderGetAttribute(m_reader, name)
                                          : xmlTextReaderGetAttributeNs(
                                                m_reader, name, reinterpret_cast<const xmlChar*>(namespaceUri.c_str()));
    if (found == nullptr) return false;
    value = Utf8(found);
    xmlFree(found);
    return true;
  }

 private:
  xmlTextReaderPtr m_reader;
  XmlNode m_last = XmlNode::kStartElement;
  std::string m_namespace;
  std::string m_name;
  bool m_empty = false;
  std::string m_text;
};

}  // namespace

std::unique_ptr<IXmlReader> NewLibXmlReader(const std::string& document) {
  return std::make_unique<CLibXmlReader>(document);
}

XmlReaderFactory LibXmlReaderFactory() {
  return [](const std::string& document) { return NewLibXmlReader(document); };
}
