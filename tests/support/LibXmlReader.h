#pragma once
// The native pull reader of XML for the tests and the fuzzer: libxml2's
// text reader behind the sync's IXmlReader, as XmlLite is on Windows.
#include <memory>
#include <string>

#include "sync/XmlReader.h"

// A reader over the document, which the caller keeps alive while it reads.
std::unique_ptr<IXmlReader> NewLibXmlReader(const std::string& document);
XmlReaderFactory LibXmlReaderFactory();
