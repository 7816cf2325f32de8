// Text cut into rows for a page: its own line breaks, the width, Latin
// words kept whole, and cp932 never cut inside a character.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/native/PrintTestMeasure.h"

namespace {

using Rows = std::vector<std::string>;

struct RowsCase {
  const char* name;
  std::string text;
  int width;
  Rows expected;
};

TEST(PrintTextRowsTest, RowsOfTexts) {
  const RowsCase cases[] = {
      {"empty", "", 100, {}},
      {"fits", "10:00 会議", 200, {"10:00 会議"}},
      {"exactly the width", "あいう", 60, {"あいう"}},
      {"Japanese cut anywhere", "あいうえおかきくけこ", 70, {"あいう", "えおか", "きくけ", "こ"}},
      {"a Latin word goes whole to the next row", "abc def ghi", 60, {"abc ", "def ", "ghi"}},
      {"a word longer than a row is cut", "abcdefgh", 50, {"abcde", "fgh"}},
      {"CR LF, LF and CR end rows", "a\r\nb\nc\rd", 100, {"a", "b", "c", "d"}},
      {"an empty row of the text's own stays", "a\r\n\r\nb", 100, {"a", "", "b"}},
      {"empty rows at the end go", "a\r\n\r\n", 100, {"a"}},
      {"a character wider than the row", "あa", 15, {"あ", "a"}},
      // 表 and ソ end in 0x5C, 能 too: their trail bytes are no backslash and nothing ends there.
      {"trail bytes 0x5C", "表ソ能十予", 40, {"表ソ", "能十", "予"}},
      // 0x8D 0x0A would be a line break if the trail byte were taken for one.
      {"a trail byte that reads as a line feed", std::string("a\x8d\x0a" "b"), 100, {"a\x8d\x0a" "b"}},
      {"a lead byte at the very end", std::string("ab\x82"), 20, {"ab", "\x82"}},
      {"Latin after Japanese, no space", "会議abc", 50, {"会議a", "bc"}},
      // 議's trail byte is a "c": a two-byte character is no part of a Latin word.
      {"a two-byte character before a Latin letter", "ab 議cd", 50, {"ab 議", "cd"}},
  };
  for (const RowsCase& c : cases) {
    SCOPED_TRACE(c.name);
    CFixedPitchMeasure measure;
    EXPECT_EQ(TextRows(c.text, c.width, PrintFont::kBody, measure), c.expected);
  }
}

// Every row is whole characters of the text, in order, none wider than the row.
void ExpectRowsReproduce(const std::string& text, const Rows& rows, int width) {
  CFixedPitchMeasure measure;
  std::string joined;
  for (const std::string& row : rows) {
    std::vector<int> extents;
    measure.CharacterExtents(row, PrintFont::kBody, extents);
    ASSERT_FALSE(extents.empty()) << "an empty row inside: " << row;
    EXPECT_LE(extents.back(), width) << row;
    joined += row;
  }
  std::string withoutBreaks;
  const std::vector<size_t> starts = CharacterStarts(text);
  for (size_t i = 0; i < starts.size(); ++i) {
    const size_t end = i + 1 < starts.size() ? starts[i + 1] : text.size();
    const std::string character = text.substr(starts[i], end - starts[i]);
    if (character != "\r" && character != "\n") withoutBreaks += character;
  }
  EXPECT_EQ(joined, withoutBreaks);
  // Cut at a character boundary: each row's characters are the text's.
  size_t at = 0;
  for (const std::string& row : rows) {
    at = text.find(row, at);
    ASSERT_NE(at, std::string::npos) << row;
    bool boundary = false;
    for (size_t start : starts) boundary |= start == at;
    EXPECT_TRUE(boundary) << "a row begins inside a character: " << row;
    at += row.size();
  }
}

TEST(PrintTextRowsTest, AMemoOf255BytesWithLineBreaks) {
  std::string memo;
  const char* pieces[] = {"今日の予定は", "表示の確認", "\r\n", "Meeting with the team at 10:00", "\r\n",
                          "ソフト能力十分", "\r\n", "予定表の印刷"};
  for (size_t i = 0; memo.size() < 255; ++i) memo += pieces[i % 8];
  // Cut to the field as the day page stores it, never inside a character.
  while (memo.size() > 255) memo.pop_back();
  if (!CharacterStarts(memo).empty() && memo.size() == CharacterStarts(memo).back() + 1 &&
      static_cast<unsigned char>(memo.back()) >= 0x80) {
    memo.pop_back();
  }
  for (int width : {25, 60, 130, 400}) {
    SCOPED_TRACE(width);
    CFixedPitchMeasure measure;
    const Rows rows = TextRows(memo, width, PrintFont::kBody, measure);
    EXPECT_GT(rows.size(), 3u);
    ExpectRowsReproduce(memo, rows, width);
  }
}

}  // namespace
