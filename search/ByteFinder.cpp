#include "search/ByteFinder.h"

#include <cstring>

namespace {

// How often a byte turns up in month files, roughly: separators, digits and
// spaces everywhere, letters and the lead bytes of kanji and kana often,
// the rest (most trail bytes) seldom.
int Commonness(unsigned char b) {
  if (b == ',') return 4;
  if (b == ' ' || (b >= '0' && b <= '9')) return 3;
  if ((b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || (b >= 0x81 && b <= 0x9F)) return 2;
  return 1;
}

}  // namespace

CByteFinder::CByteFinder(std::string needle) : m_needle(std::move(needle)) {
  for (size_t i = 1; i < m_needle.size(); ++i) {
    const auto b = static_cast<unsigned char>(m_needle[i]);
    if (Commonness(b) <= Commonness(static_cast<unsigned char>(m_needle[m_anchor]))) m_anchor = i;
  }
}

size_t CByteFinder::Find(std::string_view text, size_t from) const {
  const size_t length = m_needle.size();
  if (from > text.size() || text.size() - from < length) return std::string_view::npos;
  if (length == 0) return from;
  // Candidates start in [from, last]; their anchor byte lies m_anchor further on.
  const size_t last = text.size() - length;
  for (size_t start = from; start <= last;) {
    const void* anchor = std::memchr(text.data() + start + m_anchor, m_needle[m_anchor], last - start + 1);
    if (anchor == nullptr) break;
    start = static_cast<size_t>(static_cast<const char*>(anchor) - text.data()) - m_anchor;
    if (std::memcmp(text.data() + start, m_needle.data(), length) == 0) return start;
    ++start;
  }
  return std::string_view::npos;
}
