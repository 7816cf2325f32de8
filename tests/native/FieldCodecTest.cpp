#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "data/DayRecord.h"
#include "data/FieldCodec.h"

namespace {

std::string Escape(const std::string& text) {
  std::vector<char> out(2 * text.size() + 1, 'Z');
  size_t length = EscapeField(text.c_str(), out.data(), out.size());
  EXPECT_EQ('\0', out[length]);
  return std::string(out.data(), length);
}

std::string Unescape(const std::string& text) {
  std::vector<char> buffer(text.begin(), text.end());
  buffer.push_back('\0');
  size_t length = UnescapeField(buffer.data(), text.size());
  return std::string(buffer.data(), length);
}

int Find(const std::string& text, char sep = ',') {
  // A copy of exactly the given bytes, so that ASan sees any read past them.
  std::vector<char> bytes(text.begin(), text.end());
  return FindSeparator(bytes.data(), static_cast<int>(bytes.size()), sep);
}

std::vector<unsigned char> LeadBytes() {
  std::vector<unsigned char> leads;
  for (int b = 0x80; b <= 0xFF; ++b) {
    if (b <= 0xA0 || b >= 0xE0) leads.push_back(static_cast<unsigned char>(b));
  }
  return leads;
}

TEST(FieldCodecTest, LeadBytesAreExactlyTheTwoRanges) {
  EXPECT_EQ(33u + 32u, LeadBytes().size());
  for (int b = 0; b < 0x80; ++b) EXPECT_FALSE(IsLeadByte(static_cast<unsigned char>(b))) << b;
  for (int b = 0xA1; b <= 0xDF; ++b) EXPECT_FALSE(IsLeadByte(static_cast<unsigned char>(b))) << b;
}

TEST(FieldCodecTest, EveryPairPassesThroughUntouched) {
  for (unsigned char lead : LeadBytes()) {
    for (int trail = 1; trail <= 0xFF; ++trail) {
      std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
      ASSERT_EQ(pair, Escape(pair)) << int(lead) << " " << trail;
      ASSERT_EQ(pair, Unescape(pair)) << int(lead) << " " << trail;
      ASSERT_EQ(2, Find(pair + ",")) << int(lead) << " " << trail;
      ASSERT_EQ(-1, Find(pair)) << int(lead) << " " << trail;
    }
  }
}

TEST(FieldCodecTest, EverySingleByteEscapesOnlyBackslashAndComma) {
  for (int b = 1; b <= 0xFF; ++b) {
    if (IsLeadByte(static_cast<unsigned char>(b))) continue;
    std::string single(1, static_cast<char>(b));
    std::string expected = (b == '\\' || b == ',') ? "\\" + single : single;
    ASSERT_EQ(expected, Escape(single)) << b;
    ASSERT_EQ(single, Unescape(expected)) << b;
  }
}

TEST(FieldCodecTest, BackslashBeforeEveryByte) {
  for (int b = 1; b <= 0xFF; ++b) {
    std::string after(1, static_cast<char>(b));
    bool lead = IsLeadByte(static_cast<unsigned char>(b));
    // The byte after the escape stays, and a lead byte still takes its trail.
    ASSERT_EQ(after, Unescape("\\" + after)) << b;
    ASSERT_EQ(after + "q", Unescape("\\" + after + "q")) << b;
    // A second backslash is an escape of its own, unless it is a trail byte.
    ASSERT_EQ(lead ? after + "\\" : after, Unescape("\\" + after + "\\")) << b;
    int expected = lead ? -1 : 2;
    if (b == ',') expected = 2;
    ASSERT_EQ(expected, Find("\\" + after + ",")) << b;
  }
}

struct SeparatorCase {
  const char* name;
  std::string text;
  char sep;
  int index;
};

// Escapes and every pair before a separator are covered byte by byte above.
const SeparatorCase kSeparatorCases[] = {
    {"plain", "ab,c", ',', 2},
    {"none", "abc", ',', -1},
    {"empty", "", ',', -1},
    {"leading", ",x", ',', 0},
    {"halfWidthKatakanaDoesNotProtect", "\xB1,", ',', 1},
    {"pairCutAtEnd", "a\x82", ',', -1},
    {"backslashAtEnd", "a\\", ',', -1},
    {"otherSeparator", "a,b\tc", '\t', 3},
    {"escapedOtherSeparator", "a\\\tb\t", '\t', 4},
    {"crlfIsPlain", "a\r\nb,", ',', 4},
};

TEST(FieldCodecTest, FindSeparatorCases) {
  for (const SeparatorCase& c : kSeparatorCases) EXPECT_EQ(c.index, Find(c.text, c.sep)) << c.name;
}

TEST(FieldCodecTest, FindSeparatorStopsAtTheGivenLength) {
  // The comma after the cut is not part of the text; a lead byte at the cut
  // must not reach for it either.
  const std::string text = "ab\x82,c,";
  EXPECT_EQ(-1, FindSeparator(text.data(), 3, ','));
  EXPECT_EQ(-1, FindSeparator(text.data(), 2, ','));
  EXPECT_EQ(5, FindSeparator(text.data(), 6, ','));
  EXPECT_EQ(-1, FindSeparator(text.data(), 0, ','));
}

struct EscapeCase {
  const char* name;
  std::string text;
  std::string escaped;
};

const EscapeCase kEscapeCases[] = {
    {"commaInLine", "A,B", "A\\,B"},
    {"backslashInLine", "x\\y", "x\\\\y"},
    {"hyo", "\x95\x5C\\", "\x95\x5C\\\\"},
    {"halfWidthBeforeComma", "\xB1,", "\xB1\\,"},
    {"danglingLeadDropped", "ab\x82", "ab"},
    {"danglingLeadAfterPairDropped", "\x82\xA0\x88", "\x82\xA0"},
    {"empty", "", ""},
};

TEST(FieldCodecTest, EscapeCases) {
  for (const EscapeCase& c : kEscapeCases) {
    EXPECT_EQ(c.escaped, Escape(c.text)) << c.name;
    EXPECT_EQ(-1, Find(c.escaped)) << c.name << ": an escaped field has no separator";
  }
}

TEST(FieldCodecTest, EscapeNeverOverrunsASmallOutput) {
  const std::string text = "a,\x82\xA0\\b";
  for (size_t size = 0; size <= 10; ++size) {
    std::vector<char> out(size + 1, 'Z');
    size_t length = EscapeField(text.c_str(), out.data(), size);
    EXPECT_EQ('Z', out[size]) << size;
    if (size == 0) continue;
    EXPECT_LT(length, size);
    EXPECT_EQ('\0', out[length]);
    // What fits is a whole prefix: never half a pair or half an escape.
    std::string prefix(out.data(), length);
    EXPECT_EQ(Escape(text).substr(0, length), prefix) << size;
    EXPECT_EQ(-1, Find(prefix)) << size;
  }
}

TEST(FieldCodecTest, UnescapeStopsAtItsLimit) {
  char text[] = "a\\,b\x82\xA0z";
  EXPECT_EQ(2u, UnescapeField(text, 3));
  EXPECT_STREQ("a,", text);
  char cutPair[] = "ab\x82\xA0";
  EXPECT_EQ(3u, UnescapeField(cutPair, 3));
  EXPECT_EQ('\0', cutPair[3]);
}

// Every text a setter can store survives the trip through the file's codec.
TEST(FieldCodecTest, SetterTextsRoundTrip) {
  std::vector<std::string> sources;
  std::string everyByte;
  for (int b = 1; b <= 0xFF; ++b) everyByte += static_cast<char>(b);
  sources.push_back(everyByte);
  for (unsigned char lead : LeadBytes()) {
    std::string pairs;
    for (int trail = 1; trail <= 0xFF; ++trail) {
      pairs += static_cast<char>(lead);
      pairs += static_cast<char>(trail);
      pairs += (trail % 3 == 0) ? "," : "\\";
    }
    sources.push_back(pairs);
  }
  sources.push_back(std::string(300, '\\'));
  sources.push_back(std::string(300, ','));
  sources.push_back(std::string(126, 'a') + "\x82\xA0");
  for (const std::string& source : sources) {
    for (size_t start = 0; start < source.size(); start += 61) {
      DayRecord day;
      std::memset(&day, 0, sizeof day);
      SetDayLine(day, 0, source.c_str() + start);
      SetDayMemo(day, source.c_str() + start);
      for (const char* stored : {day.szLine[0], day.szMemo}) {
        ASSERT_EQ(std::string(stored), Unescape(Escape(stored))) << start;
      }
    }
  }
}

}  // namespace
