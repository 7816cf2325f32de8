#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "import/ContentLines.h"

namespace {

// Spellings of one property that must read the same.
const char* const kSpellings[] = {
    u8"SUMMARY;LANGUAGE=ja:会議, 10:00",         u8"\xEF\xBB\xBFsummary;Language=ja:会議, 10:00",
    u8"SUMMARY;LANGUAGE=\"ja\":会議, 10:00",     u8"SUMM\r\n ARY;LANGUAGE=ja:\xE4\xBC\r\n\t\x9A議, 10:00",
    u8"\r\nSUMMARY;LANGUAGE=ja:会議, 10:00\n\n",
};

// As a stream comes: in pieces of a few bytes, cut anywhere.
void ReadInPieces(std::string_view bytes, size_t piece, std::vector<ContentLine>& lines,
                  std::vector<CalendarNote>& broken) {
  CContentLineReader reader([&](ContentLine& line) { lines.push_back(line); },
                            [&](const CalendarNote& note) { broken.push_back(note); });
  for (size_t at = 0; at < bytes.size(); at += piece) reader.Feed(bytes.substr(at, piece));
  reader.Finish();
}

TEST(ContentLines, SpellingsThatReadTheSame) {
  for (size_t piece : {size_t{1}, size_t{3}, size_t{1000}})
    for (const char* spelling : kSpellings) {
      std::vector<ContentLine> lines;
      std::vector<CalendarNote> broken;
      ReadInPieces(spelling, piece, lines, broken);
      ASSERT_TRUE(broken.empty()) << spelling << ": " << broken[0].message;
      ASSERT_EQ(lines.size(), 1u) << spelling;
      EXPECT_EQ(lines[0].name, "SUMMARY") << spelling;
      ASSERT_NE(lines[0].Parameter("LANGUAGE"), nullptr) << spelling;
      EXPECT_EQ(*lines[0].Parameter("LANGUAGE"), "ja") << spelling;
      EXPECT_EQ(lines[0].value, u8"会議, 10:00") << spelling;
    }
}

TEST(ContentLines, QuotedAndCaretParameterValues) {
  std::vector<ContentLine> lines;
  std::vector<CalendarNote> broken;
  ReadContentLines("X-A;P=\"a;b:c\",d^n^^^'e;Q=:v", lines, broken);
  ASSERT_TRUE(broken.empty()) << broken[0].message;
  ASSERT_EQ(lines[0].parameters.size(), 2u);
  EXPECT_EQ(lines[0].parameters[0].values, (std::vector<std::string>{"a;b:c", "d\n^\"e"}));
  EXPECT_EQ(*lines[0].Parameter("Q"), "");
  EXPECT_EQ(lines[0].value, "v");
}

}  // namespace
