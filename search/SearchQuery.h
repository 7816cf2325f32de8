#pragma once
// What one search looks for: the kind and the query, parsed once.
#include <string>
#include <string_view>
#include <vector>

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

 private:
  int m_kind;
  // Words cut at single spaces; the last one is the rest, tested whole.
  std::vector<std::string> m_words;
  std::string m_sealNeedle;
};
