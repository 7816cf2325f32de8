#pragma once
// The sync's pull reader of XML, on Windows: XmlLite over the bytes of a
// reply. Input that is not well-formed XML ends in kError, never a crash.
#include <memory>
#include <string>

#include "sync/XmlReader.h"

std::unique_ptr<IXmlReader> OpenXmlLiteReader(const std::string& document);
