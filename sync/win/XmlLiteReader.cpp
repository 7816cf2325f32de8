#include "sync/win/XmlLiteReader.h"

#include "sync/win/XmlLiteCursor.h"

namespace {

class CXmlLiteReader : public IXmlReader {
 public:
  explicit CXmlLiteReader(const std::string& document) : m_cursor(document) {}

  XmlNode Next() override {
    m_node = &m_cursor.Next();
    switch (m_node->kind) {
      case XmlLiteKind::kStartElement:
        return XmlNode::kStartElement;
      case XmlLiteKind::kEndElement:
        return XmlNode::kEndElement;
      case XmlLiteKind::kText:
        return XmlNode::kText;
      case XmlLiteKind::kEnd:
        return XmlNode::kEnd;
      default:
        return XmlNode::kError;
    }
  }
  const std::string& NamespaceUri() const override { return Node().namespaceUri; }
  const std::string& LocalName() const override { return Node().localName; }
  bool IsEmptyElement() const override { return Node().emptyElement; }
  const std::string& Text() const override { return Node().text; }
  bool Attribute(const std::string& namespaceUri, const std::string& localName, std::string& value) const override {
    for (const XmlLiteNode::Attribute& attribute : Node().attributes) {
      if (attribute.namespaceUri == namespaceUri && attribute.localName == localName) {
        value = attribute.value;
        return true;
      }
    }
    return false;
  }

 private:
  const XmlLiteNode& Node() const { return m_node != nullptr ? *m_node : m_none; }

  CXmlLiteCursor m_cursor;
  const XmlLiteNode* m_node = nullptr;
  XmlLiteNode m_none;
};

}  // namespace

std::unique_ptr<IXmlReader> OpenXmlLiteReader(const std::string& document) {
  return std::make_unique<CXmlLiteReader>(document);
}
