#include "search/SearchQuery.h"

#include "data/LenientDecimal.h"
#include "data/SealTable.h"
#include "search/CharacterBoundaryFind.h"

namespace {

// A word ends at a space only when it is not empty; from a leading space on,
// the rest of the query is one string, spaces included.
std::vector<std::string> SplitQueryWords(std::string_view query) {
  std::vector<std::string> words;
  for (;;) {
    size_t space = query.find(' ');
    if (space == std::string_view::npos || space == 0) break;
    words.emplace_back(query.substr(0, space));
    query.remove_prefix(space + 1);
  }
  words.emplace_back(query);
  return words;
}

std::string SealNeedleFor(std::string_view query) {
  int bitmapId = ParseLenientDecimal(query);
  if (bitmapId == 0) return {};
  // An id without a row (a cancelled picker answers 2) chooses no seal.
  const SealEntry* row = FindSealRow(bitmapId, kSealKeyBitmapId);
  if (row == nullptr) return {};
  return "\t" + std::to_string(row->nCode) + "\t";
}

// Bytes that a record's text never shows as they stand in the file.
bool ShowsAsStored(std::string_view word) {
  return !word.empty() && word.find_first_of(std::string_view(",\\\t\r\n", 5)) == std::string_view::npos;
}

// The words themselves; for a seal, its code between two separators.
std::vector<CByteFinder> RawNeedlesFor(int kind, const std::vector<std::string>& words, const std::string& sealNeedle) {
  std::vector<CByteFinder> needles;
  if (kind == kTextSearch) {
    for (const std::string& word : words) {
      if (!ShowsAsStored(word)) return {};
      needles.emplace_back(word);
    }
  }
  if (kind == kSealSearch && !sealNeedle.empty()) {
    std::string needle = sealNeedle;
    needle.front() = needle.back() = ',';
    needles.emplace_back(needle);
  }
  return needles;
}

}  // namespace

CSearchQuery::CSearchQuery(int kind, const char* text) : m_kind(kind) {
  std::string_view query = text != nullptr ? text : "";
  if (kind == kTextSearch) m_words = SplitQueryWords(query);
  if (kind == kSealSearch) m_sealNeedle = SealNeedleFor(query);
  m_rawNeedles = RawNeedlesFor(kind, m_words, m_sealNeedle);
}

bool CSearchQuery::MatchesText(std::string_view searched) const {
  for (const std::string& word : m_words) {
    if (OccursAtCharacterBoundary(searched, word)) return true;
  }
  return false;
}

bool CSearchQuery::MatchesSeals(std::string_view sealSection) const {
  return !m_sealNeedle.empty() && OccursAtCharacterBoundary(sealSection, m_sealNeedle);
}
