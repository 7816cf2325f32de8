#include <gtest/gtest.h>

#include <vector>

#include "ui/core/EndEllipsisRow.h"

namespace {

struct PlainRowCase {
  const wchar_t* text;
  std::optional<size_t> expected;
};

TEST(EndEllipsisRowTest, PlainRowsAndTheTextsDrawTextTreatsItsOwnWay) {
  const PlainRowCase cases[] = {
      {L"", 0},
      {L"予定 10:00", 8},
      {L"朝会\r", 2},
      {L"朝会\n", 2},
      {L"\r", 0},
      {L"a&b", std::nullopt},
      {L"a\tb", std::nullopt},
      {L"a\rb", std::nullopt},
      {L"a\r\r", std::nullopt},
      {L"\x1e"
       L"a",
       std::nullopt},
  };
  for (const PlainRowCase& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.text)));
    EXPECT_EQ(PlainRowLength(c.text), c.expected);
  }
}

struct CutCase {
  const char* name;
  std::vector<int> partialWidths;
  int width;
  RowCut expected;
};

TEST(EndEllipsisRowTest, CutsToTheLongestStartThatFitsWithTheEllipsis) {
  // Characters 5 wide; the ellipsis 6.
  const std::vector<int> fives = {5, 10, 15, 20, 25};
  const CutCase cases[] = {
      {"fitsExactly", fives, 25, {5, false}},
      {"oneShort", fives, 24, {3, true}},
      {"ellipsisFitsExactly", fives, 16, {2, true}},
      {"ellipsisOnePixelOver", fives, 15, {1, true}},
      {"onlyTheEllipsis", fives, 6, {0, true}},
      {"notEvenTheEllipsis", fives, 2, {0, true}},
      {"nothingWide", fives, 0, {0, true}},
      {"zeroWidthCharactersStayWithTheLastThatFits", {5, 5, 5, 12}, 11, {3, true}},
  };
  for (const CutCase& c : cases) {
    SCOPED_TRACE(c.name);
    RowCut cut = CutRowToWidth(c.partialWidths.data(), c.partialWidths.size(), c.width, 6);
    EXPECT_EQ(cut.kept, c.expected.kept);
    EXPECT_EQ(cut.ellipsis, c.expected.ellipsis);
  }
}

}  // namespace
