#include <gtest/gtest.h>

#include <string>

#include "search/CharacterBoundaryFind.h"
#include "data/LenientDecimal.h"
#include "search/SearchQuery.h"

namespace {

struct OccurCase {
  const char* name;
  std::string text;
  std::string needle;
  bool occurs;
};

const OccurCase kOccurCases[] = {
    {"plain", "abc", "bc", true},
    {"absent", "abc", "bd", false},
    {"caseKept", "abc", "B", false},
    {"emptyInText", "x", "", true},
    {"emptyInEmpty", "", "", false},
    {"trailByteA", "\x83\x41", "A", false},
    {"trailByteBackslash", "\x83\x5C", "\\", false},
    // The first candidate is a trail byte; the later one is a boundary.
    {"laterCandidateOnBoundary", "\x83\x41" "A", "A", true},
    {"leadByteAfterSingleBytes", "ab\x83\x41", "\x83", true},
    {"twoByteNeedle", "x\x82\xA0y", "\x82\xA0", true},
    // 0xA0 and 0xFD..0xFF are single bytes for the search's walk.
    {"a0IsSingleByte", "\xA0" "A", "A", true},
    {"fdIsSingleByte", "\xFD" "A", "A", true},
    {"halfWidthKatakanaIsSingleByte", "\xB1" "A", "A", true},
    {"e0IsLead", "\xE0" "A", "A", false},
    {"pairsStayAligned", "\x83\x83\x83\x41", "\x83\x41", true},
    {"misalignedPair", "\x81\x83\x41\x41", "\x83\x41", false},
    {"danglingLeadAtEnd", "a\x83", "\x83", true},
};

TEST(SearchMatchTest, OccursOnlyAtCharacterBoundaries) {
  for (const OccurCase& c : kOccurCases) {
    EXPECT_EQ(c.occurs, OccursAtCharacterBoundary(c.text, c.needle)) << c.name;
  }
}

struct QueryCase {
  const char* name;
  const char* query;
  const char* text;
  bool matches;
};

const QueryCase kQueryCases[] = {
    {"firstWord", "ab cd", "xxab", true},
    {"secondWord", "ab cd", "xcdx", true},
    {"neither", "ab cd", "a b c d", false},
    {"wholeQueryNotNeeded", "ab cd", "ab", true},
    {"trailingSpaceMatchesAll", "zz ", "q", true},
    {"leadingSpaceWhole", " cd", "cd", false},
    {"leadingSpaceWholeFound", " cd", "a cd", true},
    {"doubleSpaceRestWhole", "ab  cd", "cd", false},
    {"doubleSpaceRestFound", "ab  cd", "x cd", true},
    {"threeWords", "a b c", "c", true},
    {"tabIsNoSeparator", "a\tb", "a", false},
    {"nullQueryMatchesAll", nullptr, "q", true},
};

TEST(SearchMatchTest, WordByWordRule) {
  for (const QueryCase& c : kQueryCases) {
    EXPECT_EQ(c.matches, CSearchQuery(0, c.query).MatchesText(c.text)) << c.name;
  }
}

TEST(SearchMatchTest, SealNeedleIsTheCodeBetweenTabs) {
  CSearchQuery query(2, "170");  // bitmap 170 is code 15
  EXPECT_FALSE(query.LacksSeal());
  EXPECT_TRUE(query.MatchesSeals("\t0\t0\t0\t15\t"));
  EXPECT_FALSE(query.MatchesSeals("\t150\t0\t0\t0\t"));
  EXPECT_FALSE(query.MatchesSeals("\t0\t0\t0\t15"));
  EXPECT_FALSE(query.MatchesSeals(""));
  EXPECT_TRUE(CSearchQuery(2, "155").MatchesSeals("\t6\t0\t0\t0\t"));  // "no seal" finds empty slots
  EXPECT_FALSE(CSearchQuery(0, "15").MatchesSeals("\t15\t"));
}

struct DecimalCase {
  const char* text;
  int value;
};

const DecimalCase kDecimalCases[] = {
    {"", 0},
    {"abc", 0},
    {"170", 170},
    {" \t\n+170x", 170},
    {"-5", -5},
    {"- 5", 0},
    {"2147483647", 2147483647},
    {"2147483648", 2147483647},
    {"99999999999999999999", 2147483647},
    {"-2147483648", -2147483647 - 1},
    {"-99999999999999999999", -2147483647 - 1},
};

TEST(SearchMatchTest, LenientDecimalSaturates) {
  for (const DecimalCase& c : kDecimalCases) EXPECT_EQ(c.value, ParseLenientDecimal(c.text)) << c.text;
}

}  // namespace
