#pragma once
// XmlLite's reader over a document in memory, in plain C++ terms. Kept
// apart from the sync's reader interface, whose name XmlLite's own COM
// interface also bears: no file includes both.
#include <memory>
#include <string>
#include <vector>

enum class XmlLiteKind { kStartElement, kEndElement, kText, kEnd, kError };

struct XmlLiteNode {
  XmlLiteKind kind = XmlLiteKind::kEnd;
  std::string namespaceUri;  // of an element, UTF-8
  std::string localName;
  bool emptyElement = false;
  struct Attribute {
    std::string namespaceUri;  // "" without a prefix
    std::string localName;
    std::string value;
  };
  std::vector<Attribute> attributes;  // of a start element
  std::string text;                   // of text, UTF-8
};

class CXmlLiteCursor {
 public:
  // The document's bytes are copied; an encoding it declares is honoured,
  // UTF-8 otherwise. No DTD is read, and nesting is bounded.
  explicit CXmlLiteCursor(const std::string& document);
  ~CXmlLiteCursor();
  CXmlLiteCursor(const CXmlLiteCursor&) = delete;
  CXmlLiteCursor& operator=(const CXmlLiteCursor&) = delete;

  // The next element or text, adjacent text and CDATA joined into one;
  // after kEnd or kError, the same again.
  const XmlLiteNode& Next();

 private:
  struct Reader;
  // One node of XmlLite's, skipping what the interface leaves out.
  XmlLiteNode ReadNode();

  std::unique_ptr<Reader> m_reader;
  // The elements open, whether any came, and where the last element began.
  int m_depth = 0;
  bool m_rootSeen = false;
  unsigned m_lastLine = 0;
  unsigned m_lastPosition = 0;
  XmlLiteNode m_node;
  // A node read ahead while joining text, handed out next.
  bool m_pending = false;
  XmlLiteNode m_pendingNode;
};
