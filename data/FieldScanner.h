#pragma once
// FindSeparator's walk, resumable: a field may arrive in several blocks and
// each byte is looked at once, however long the field grows.
#include <cstddef>

#include "data/FieldCodec.h"

class CFieldScanner {
 public:
  explicit CFieldScanner(char sep) {
    for (int b = 0; b < 256; ++b) m_classes[b] = IsLeadByte(static_cast<unsigned char>(b)) ? kLead : kPlain;
    m_classes[static_cast<unsigned char>('\\')] = kEscape;
    m_classes[static_cast<unsigned char>(sep)] = kSeparator;
  }

  // Forgets a pair or escape cut by the end of the bytes scanned last: the
  // next bytes start a text of their own.
  void Reset() { m_pending = kPlain; }

  // The index of the first unescaped separator among the next size bytes,
  // or size when the field goes on after them.
  size_t Scan(const char* bytes, size_t size) {
    if (size == 0) return 0;
    size_t i = 0;
    if (m_pending == kLead) {
      i = 1;  // the trail byte of a pair cut by the block's end
    } else if (m_pending == kEscape && Class(bytes[0]) >= kEscape) {
      i = 1;  // an escaped backslash or separator
    }
    m_pending = kPlain;
    while (i < size) {
      switch (Class(bytes[i])) {
        case kPlain:
          ++i;
          break;
        case kSeparator:
          return i;
        case kLead:
          if (i + 1 == size) m_pending = kLead;
          i += 2;
          break;
        case kEscape:
          if (i + 1 == size) {
            m_pending = kEscape;
            ++i;
          } else {
            i += Class(bytes[i + 1]) >= kEscape ? 2 : 1;
          }
          break;
      }
    }
    return size;
  }

 private:
  // kEscape and kSeparator last: the two bytes an escape pairs with.
  enum ByteClass : unsigned char { kPlain, kLead, kEscape, kSeparator };

  ByteClass Class(char c) const { return m_classes[static_cast<unsigned char>(c)]; }

  ByteClass m_classes[256];
  ByteClass m_pending = kPlain;
};
