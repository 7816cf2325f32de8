#pragma once
// Cuts a byte stream into lines as a text-mode read does: LF and CR LF end
// a line (on every platform) and the line end is removed.
#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>

// No valid month file has a line near this long; a longer one from a damaged
// file comes in pieces of this size, so memory stays bounded.
constexpr size_t kMaxLinePiece = size_t{1} << 20;

class CLineSplitter {
 public:
  // Calls onLine(const char*, size_t) for each complete line in bytes; bytes
  // after the last LF wait for the next call. False as soon as onLine
  // returns false: the caller stops reading.
  template <typename OnLine>
  bool Feed(const char* bytes, size_t size, OnLine&& onLine) {
    while (size > 0) {
      const char* lineFeed = static_cast<const char*>(std::memchr(bytes, '\n', size));
      size_t take = lineFeed != nullptr ? static_cast<size_t>(lineFeed - bytes) : size;
      if (lineFeed != nullptr && m_pending.empty() && take <= kMaxLinePiece) {
        // The common case: the whole line lies in bytes, no copy.
        if (!onLine(bytes, WithoutCarriageReturn(bytes, take))) return false;
      } else {
        for (size_t done = 0; done < take;) {
          if (m_pending.size() == kMaxLinePiece) {
            if (!onLine(m_pending.data(), m_pending.size())) return false;
            m_pending.clear();
          }
          size_t chunk = std::min(take - done, kMaxLinePiece - m_pending.size());
          m_pending.append(bytes + done, chunk);
          done += chunk;
        }
        if (lineFeed != nullptr) {
          bool goOn = onLine(m_pending.data(), WithoutCarriageReturn(m_pending.data(), m_pending.size()));
          m_pending.clear();
          if (!goOn) return false;
        }
      }
      if (lineFeed == nullptr) break;
      bytes = lineFeed + 1;
      size -= take + 1;
    }
    return true;
  }

  // The last line, when the stream does not end in LF.
  template <typename OnLine>
  bool Finish(OnLine&& onLine) {
    if (m_pending.empty()) return true;
    bool goOn = onLine(m_pending.data(), m_pending.size());
    m_pending.clear();
    return goOn;
  }

 private:
  static size_t WithoutCarriageReturn(const char* line, size_t length) {
    return length > 0 && line[length - 1] == '\r' ? length - 1 : length;
  }

  std::string m_pending;
};
