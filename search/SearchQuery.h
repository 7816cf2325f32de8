#pragma once
// What one search looks for: the kind and the query, parsed once.
#include <string>
#include <string_view>
#include <vector>

#include "search/ByteFinder.h"

enum SearchKind : int { kTextSearch = 0, kSealSearch = 2 };

class CSearchQuery {
 public:
  // text may be null (read as empty).
  CSearchQuery(int kind, const char* text);

  int Kind() const { return m_kind; }
  bool IsKnownKind() const { return m_kind == kTextSearch || m_kind == kSealSearch; }

  // A seal search whose query names no seal of the table: nothing to look for.
  bool LacksSeal() const { return m_kind == kSealSearch && m_sealNeedle.empty(); }

  // The word-by-word rule over a day's lines and memo.
  bool MatchesText(std::string_view searched) const;

  // The seal needle (TAB code TAB) in a day's seal section.
  bool MatchesSeals(std::string_view sealSection) const;

  // Byte strings of which one occurs in the raw bytes of every record that
  // matches, as long as no escape in it stands before another byte than a
  // backslash, a comma or a line end: a separator is a comma there, and an
  // escape only ever stands before a byte that no needle holds. Empty when
  // the query allows no such test (an empty word, a word holding a comma,
  // backslash, TAB, CR or LF, an unknown kind).
  const std::vector<CByteFinder>& RawNeedles() const { return m_rawNeedles; }

 private:
  int m_kind;
  // Words cut at single spaces; the last one is the rest, tested whole.
  std::vector<std::string> m_words;
  std::string m_sealNeedle;
  std::vector<CByteFinder> m_rawNeedles;
};
