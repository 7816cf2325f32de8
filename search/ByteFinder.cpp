#include "search/ByteFinder.h"

#include <cstring>

CByteFinder::CByteFinder(std::string needle) : m_needle(std::move(needle)) {
  const size_t length = m_needle.size();
  m_skip.fill(length);
  for (size_t i = 0; i + 1 < length; ++i) m_skip[static_cast<unsigned char>(m_needle[i])] = length - 1 - i;
}

size_t CByteFinder::Find(std::string_view text, size_t from) const {
  const size_t length = m_needle.size();
  if (from > text.size() || text.size() - from < length) return std::string_view::npos;
  if (length == 0) return from;
  if (length == 1) {
    const void* found = std::memchr(text.data() + from, m_needle[0], text.size() - from);
    return found != nullptr ? static_cast<size_t>(static_cast<const char*>(found) - text.data())
                            : std::string_view::npos;
  }
  const char last = m_needle[length - 1];
  for (size_t end = from + length - 1; end < text.size(); end += m_skip[static_cast<unsigned char>(text[end])]) {
    const size_t start = end + 1 - length;
    if (text[end] == last && std::memcmp(text.data() + start, m_needle.data(), length - 1) == 0) return start;
  }
  return std::string_view::npos;
}
