#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "export/ICalendarText.h"

namespace {

std::vector<std::string> PhysicalLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  EXPECT_EQ(start, text.size()) << "the text does not end with CR LF";
  return lines;
}

std::string Unfold(std::string text) {
  for (size_t at; (at = text.find("\r\n ")) != std::string::npos;) text.erase(at, 3);
  return text;
}

bool StartsUtf8Character(char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }

struct EscapeCase {
  const char* text;
  const char* escaped;
};

const EscapeCase kEscapeCases[] = {
    {"plain", "plain"},
    {"a,b;c", "a\\,b\\;c"},
    {"back\\slash", "back\\\\slash"},
    {"two\nlines", "two\\nlines"},
    {"\\,", "\\\\\\,"},
    {"colon: and \"quote\"", "colon: and \"quote\""},
    {u8"会議、打ち合わせ", u8"会議、打ち合わせ"},
};

TEST(ICalendarText, EscapeCases) {
  for (const EscapeCase& c : kEscapeCases) EXPECT_EQ(EscapeText(c.text), c.escaped) << c.text;
}

struct FoldCase {
  const char* what;
  std::string value;  // after "SUMMARY:" (8 octets)
  size_t physicalLines;
};

const FoldCase kFoldCases[] = {
    {"exactly 75 octets stays whole", std::string(67, 'a'), 1},
    {"76 octets fold once", std::string(68, 'a'), 2},
    {"a 3-octet character ending at octet 75", std::string(64, 'a') + u8"表", 1},
    {"a 3-octet character across octet 75", std::string(66, 'a') + u8"表", 2},
    {"a 2-octet character across octet 75", std::string(66, 'a') + u8"é", 2},
    {"long Japanese text",
     [] {
       std::string text;
       for (int i = 0; i < 100; ++i) text += u8"ｶ会";
       return text;
     }(),
     9},
    {"continuation exactly full", std::string(67 + 74, 'a'), 2},
    {"continuation one over", std::string(67 + 75, 'a'), 3},
};

TEST(ICalendarText, FoldCases) {
  for (const FoldCase& c : kFoldCases) {
    std::string out;
    AppendContentLine(out, "SUMMARY", c.value);
    std::vector<std::string> lines = PhysicalLines(out);
    EXPECT_EQ(lines.size(), c.physicalLines) << c.what;
    for (size_t i = 0; i < lines.size(); ++i) {
      EXPECT_LE(lines[i].size(), 75u) << c.what << " line " << i;
      if (i == 0) continue;
      ASSERT_FALSE(lines[i].size() < 2) << c.what;
      EXPECT_EQ(lines[i][0], ' ') << c.what;
      EXPECT_TRUE(StartsUtf8Character(lines[i][1])) << c.what << " line " << i << " begins inside a character";
    }
    EXPECT_EQ(Unfold(out), "SUMMARY:" + c.value + "\r\n") << c.what;
  }
}

TEST(ICalendarText, FoldedLinesUseTheRoomTheyHave) {
  std::string out;
  AppendContentLine(out, "DESCRIPTION", std::string(300, 'x'));
  std::vector<std::string> lines = PhysicalLines(out);
  for (size_t i = 0; i + 1 < lines.size(); ++i) EXPECT_EQ(lines[i].size(), 75u) << i;
}

}  // namespace
