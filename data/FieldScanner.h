#pragma once
// FindSeparator's walk, resumable: a field may arrive in several blocks and
// each byte is looked at once, however long the field grows.
#include <cstddef>

#include "data/FieldCodec.h"

class CFieldScanner {
 public:
  explicit CFieldScanner(char sep) : m_sep(sep) {}

  // The index of the first unescaped separator among the next size bytes,
  // or size when the field goes on after them.
  size_t Scan(const char* bytes, size_t size) {
    size_t i = 0;
    if (size == 0) return 0;
    if (m_state == kTrail) {
      i = 1;
    } else if (m_state == kEscape && (bytes[0] == '\\' || bytes[0] == m_sep)) {
      i = 1;
    }
    m_state = kSingle;
    while (i < size) {
      char c = bytes[i];
      if (c == m_sep) return i;
      if (IsLeadByte(static_cast<unsigned char>(c))) {
        if (i + 1 == size) m_state = kTrail;
        i += 2;
      } else if (c == '\\') {
        if (i + 1 == size) {
          m_state = kEscape;
          ++i;
        } else {
          i += (bytes[i + 1] == '\\' || bytes[i + 1] == m_sep) ? 2 : 1;
        }
      } else {
        ++i;
      }
    }
    return size;
  }

 private:
  enum State { kSingle, kTrail, kEscape };
  char m_sep;
  State m_state = kSingle;
};
