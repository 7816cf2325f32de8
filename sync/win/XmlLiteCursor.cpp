#include "sync/win/XmlLiteCursor.h"

#include "win/Text.h"
#include "win/WinHeaders.h"

#include <shlwapi.h>
#include <xmllite.h>

namespace {

// Deeper than any multistatus reply nests; a document that goes on nesting is refused.
constexpr LONG_PTR kMaxElementDepth = 256;

using CreateXmlReaderFunction = HRESULT(WINAPI*)(REFIID, void**, IMalloc*);

// mingw ships no import library for xmllite.dll: its one function is looked up.
CreateXmlReaderFunction XmlReaderFactory() {
  static const CreateXmlReaderFunction factory = [] {
    HMODULE module = LoadLibraryW(L"xmllite.dll");
    return module == nullptr ? nullptr
                             : reinterpret_cast<CreateXmlReaderFunction>(
                                   reinterpret_cast<void*>(GetProcAddress(module, "CreateXmlReader")));
  }();
  return factory;
}

// A document that is not UTF-16 must be UTF-8 through and through: XmlLite
// on Windows refuses other bytes while Wine's turns them into U+FFFD, and a
// reply read differently on the two would be written back differently.
bool HasValidEncoding(const std::string& document) {
  if (document.size() >= 2) {
    const unsigned char first = static_cast<unsigned char>(document[0]);
    const unsigned char second = static_cast<unsigned char>(document[1]);
    if ((first == 0xFF && second == 0xFE) || (first == 0xFE && second == 0xFF) || first == 0 || second == 0) {
      return true;  // UTF-16, with or without its mark: XmlLite reads it alone
    }
  }
  return document.empty() || MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, document.data(),
                                                 static_cast<int>(document.size()), nullptr, 0) > 0;
}

// False for an element where the last one began: Wine's reader hands out
// the same one again and again at an end it did not expect.
bool AdvancedTo(IXmlReader& reader, unsigned& lastLine, unsigned& lastPosition) {
  UINT line = 0;
  UINT position = 0;
  reader.GetLineNumber(&line);
  reader.GetLinePosition(&position);
  if (line == lastLine && position == lastPosition) return false;
  lastLine = line;
  lastPosition = position;
  return true;
}

std::string Utf8Of(const WCHAR* text, UINT length) {
  return text == nullptr ? std::string() : NarrowToUtf8(std::wstring(text, length));
}

// The attributes of the element the reader is on; it stays there.
bool ReadAttributes(IXmlReader& reader, std::vector<XmlLiteNode::Attribute>& attributes) {
  for (HRESULT moved = reader.MoveToFirstAttribute(); moved == S_OK; moved = reader.MoveToNextAttribute()) {
    const WCHAR* text = nullptr;
    UINT length = 0;
    XmlLiteNode::Attribute attribute;
    if (FAILED(reader.GetNamespaceUri(&text, &length))) return false;
    attribute.namespaceUri = Utf8Of(text, length);
    if (FAILED(reader.GetLocalName(&text, &length))) return false;
    attribute.localName = Utf8Of(text, length);
    if (FAILED(reader.GetValue(&text, &length))) return false;
    attribute.value = Utf8Of(text, length);
    attributes.push_back(std::move(attribute));
  }
  return SUCCEEDED(reader.MoveToElement()) || attributes.empty();
}

}  // namespace

struct CXmlLiteCursor::Reader {
  IStream* stream = nullptr;
  IXmlReader* reader = nullptr;
  ~Reader() {
    if (reader != nullptr) reader->Release();
    if (stream != nullptr) stream->Release();
  }
};

CXmlLiteCursor::CXmlLiteCursor(const std::string& document) : m_reader(std::make_unique<Reader>()) {
  m_node.kind = XmlLiteKind::kError;
  CreateXmlReaderFunction create = XmlReaderFactory();
  if (create == nullptr || !HasValidEncoding(document)) return;
  m_reader->stream =
      SHCreateMemStream(reinterpret_cast<const BYTE*>(document.data()), static_cast<UINT>(document.size()));
  if (m_reader->stream == nullptr) return;
  if (FAILED(create(__uuidof(IXmlReader), reinterpret_cast<void**>(&m_reader->reader), nullptr))) {
    m_reader->reader = nullptr;
    return;
  }
  IXmlReader* reader = m_reader->reader;
  if (FAILED(reader->SetProperty(XmlReaderProperty_DtdProcessing, DtdProcessing_Prohibit)) ||
      FAILED(reader->SetProperty(XmlReaderProperty_MaxElementDepth, kMaxElementDepth)) ||
      FAILED(reader->SetInput(m_reader->stream))) {
    return;
  }
  m_node.kind = XmlLiteKind::kStartElement;  // ready: nothing handed out yet
}

CXmlLiteCursor::~CXmlLiteCursor() = default;

XmlLiteNode CXmlLiteCursor::ReadNode() {
  XmlLiteNode node;
  node.kind = XmlLiteKind::kError;
  IXmlReader* reader = m_reader->reader;
  for (;;) {
    XmlNodeType type = XmlNodeType_None;
    const HRESULT read = reader->Read(&type);
    if (read == S_FALSE) {
      // Wine's reader ends quietly where elements are still open or none came.
      if (m_depth == 0 && m_rootSeen) node.kind = XmlLiteKind::kEnd;
      return node;
    }
    if (read != S_OK) return node;
    const WCHAR* value = nullptr;
    UINT length = 0;
    switch (type) {
      case XmlNodeType_Element:
      case XmlNodeType_EndElement: {
        if (type == XmlNodeType_Element && !AdvancedTo(*reader, m_lastLine, m_lastPosition)) return node;
        if (FAILED(reader->GetNamespaceUri(&value, &length))) return node;
        node.namespaceUri = Utf8Of(value, length);
        UINT qualifiedLength = 0;
        if (FAILED(reader->GetQualifiedName(&value, &qualifiedLength)) ||
            FAILED(reader->GetLocalName(&value, &length))) {
          return node;
        }
        // A prefix that names no namespace: Wine's reader lets it pass.
        if (node.namespaceUri.empty() && qualifiedLength != length) return node;
        node.localName = Utf8Of(value, length);
        node.emptyElement = type == XmlNodeType_Element && reader->IsEmptyElement();
        if (type == XmlNodeType_Element && !ReadAttributes(*reader, node.attributes)) return node;
        node.kind = type == XmlNodeType_Element ? XmlLiteKind::kStartElement : XmlLiteKind::kEndElement;
        m_rootSeen = true;
        if (type == XmlNodeType_EndElement) {
          --m_depth;
        } else if (!node.emptyElement) {
          ++m_depth;
        }
        return node;
      }
      case XmlNodeType_Text:
      case XmlNodeType_CDATA:
        if (FAILED(reader->GetValue(&value, &length))) return node;
        node.kind = XmlLiteKind::kText;
        node.text = Utf8Of(value, length);
        return node;
      default:
        continue;  // whitespace, comments, processing instructions, the declaration
    }
  }
}

const XmlLiteNode& CXmlLiteCursor::Next() {
  if (m_node.kind == XmlLiteKind::kEnd || m_node.kind == XmlLiteKind::kError) return m_node;
  if (m_pending) {
    m_pending = false;
    m_node = std::move(m_pendingNode);
    return m_node;
  }
  m_node = ReadNode();
  if (m_node.kind != XmlLiteKind::kText) return m_node;
  for (;;) {
    XmlLiteNode next = ReadNode();
    if (next.kind == XmlLiteKind::kText) {
      m_node.text += next.text;
      continue;
    }
    // An error after the text is handed out at once: the text was never whole.
    if (next.kind == XmlLiteKind::kError) {
      m_node = std::move(next);
      return m_node;
    }
    m_pending = true;
    m_pendingNode = std::move(next);
    return m_node;
  }
}
