#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include "data/MonthMerge.h"

namespace {

// One day's fields in a line: "l1|l2|l3|l4|l5|memo|s1 s2 s3 s4".
DayRecord Day(const std::string& lines, const std::string& memo = "", SealCode seal1 = 0, SealCode seal2 = 0) {
  DayRecord day{};
  size_t at = 0;
  for (int line = 0; line < kLineCount; ++line) {
    const size_t bar = lines.find('|', at);
    SetDayLine(day, line, lines.substr(at, bar == std::string::npos ? std::string::npos : bar - at).c_str());
    if (bar == std::string::npos) break;
    at = bar + 1;
  }
  SetDayMemo(day, memo.c_str());
  day.nSeal[0] = seal1;
  day.nSeal[1] = seal2;
  return day;
}

std::string Lines(const DayRecord& day) {
  std::string text;
  for (int line = 0; line < kLineCount; ++line) text += std::string(line ? "|" : "") + day.szLine[line];
  return text;
}

struct MergeCase {
  const char* what;
  DayRecord base, ours, theirs;
  std::string lines, memo;
  SealCode seal1, seal2;
  bool placed;
};

TEST(MonthMergeTest, EachFieldTakesTheSideThatChangedItAndTwoChangesBothStay) {
  const std::string full(255, 'm');
  const MergeCase cases[] = {
      {"theirs only", Day("a"), Day("a"), Day("a|b"), "a|b|||", "", 0, 0, true},
      {"ours only", Day("a"), Day("a|x"), Day("a"), "a|x|||", "", 0, 0, true},
      {"the same change", Day(""), Day("n"), Day("n"), "n||||", "", 0, 0, true},
      {"two changes: theirs to a free line", Day("a"), Day("o"), Day("t"), "o|t|||", "", 0, 0, true},
      {"cleared here, unchanged there", Day("a|b"), Day("|b"), Day("a|b"), "|b|||", "", 0, 0, true},
      {"cleared there, changed here", Day("a"), Day("o"), Day(""), "o||||", "", 0, 0, true},
      {"cleared here, changed there", Day("a"), Day(""), Day("t"), "t||||", "", 0, 0, true},
      {"no free line", Day("1|2|3|4|5"), Day("o|2|3|4|5"), Day("t|2|3|4|5"), "o|2|3|4|5", "", 0, 0, false},
      {"their line already on the day", Day("a"), Day("o|t"), Day("t"), "o|t|||", "", 0, 0, true},
      {"memo: both kept", Day("", "m"), Day("", "o"), Day("", "t"), "||||", "o\r\nt", 0, 0, true},
      {"memo: one holds the other", Day("", "m"), Day("", "m+"), Day("", "m+t"), "||||", "m+t", 0, 0, true},
      {"memo: too long for both", Day("", "m"), Day("", full), Day("", "t"), "||||", full, 0, 0, false},
      {"seal: theirs only", Day(""), Day(""), Day("", "", 6), "||||", "", 6, 0, true},
      {"seal: two changes fill a free slot", Day(""), Day("", "", 6), Day("", "", 15), "||||", "", 6, 15, true},
      {"seal: cleared here, unchanged there", Day("", "", 6), Day(""), Day("", "", 6), "||||", "", 0, 0, true},
  };
  for (const MergeCase& c : cases) {
    SCOPED_TRACE(c.what);
    MonthTable base{}, ours{}, theirs{};
    base.Day(8) = c.base;
    ours.Day(8) = c.ours;
    theirs.Day(8) = c.theirs;
    const MonthMergeResult result = MergeMonths(&base, ours, theirs, 31);
    const DayRecord& merged = result.merged.Day(8);
    EXPECT_EQ(c.lines, Lines(merged));
    EXPECT_EQ(c.memo, merged.szMemo);
    EXPECT_EQ(c.seal1, merged.nSeal[0]);
    EXPECT_EQ(c.seal2, merged.nSeal[1]);
    EXPECT_EQ(c.placed ? 0u : DayMask{1} << 7, result.unplaced);
  }
}

// A conflict copy: what only it holds is added, nothing taken away, nothing twice.
TEST(MonthMergeTest, WithoutABaseNothingIsTakenAwayAndNothingComesTwice) {
  MonthTable ours{}, theirs{};
  ours.Day(3) = Day("a|b", "memo", 6);
  theirs.Day(3) = Day("b|c", "", 6, 15);
  theirs.Day(4) = Day("new");
  const MonthMergeResult result = MergeMonths(nullptr, ours, theirs, 31);
  EXPECT_EQ("a|b|c||", Lines(result.merged.Day(3)));
  EXPECT_STREQ("memo", result.merged.Day(3).szMemo);
  EXPECT_EQ(15, result.merged.Day(3).nSeal[1]);
  EXPECT_EQ("new||||", Lines(result.merged.Day(4)));
  EXPECT_EQ(0u, result.unplaced);
}

// Over random months: every text or seal that either side changed from the
// base is in the merged day, or the day is one whose arrival is kept.
TEST(MonthMergeTest, EveryChangeOfEitherSideIsKeptOrTheDayIsNamed) {
  std::mt19937 random(2612);
  const char* words[] = {"", "a", "b", "c", "会議", "x,y"};
  auto field = [&] { return std::string(words[random() % 6]); };
  auto month = [&](MonthTable& table) {
    for (int d = 1; d <= 3; ++d) {
      for (int line = 0; line < kLineCount; ++line) SetDayLine(table.Day(d), line, field().c_str());
      SetDayMemo(table.Day(d), field().c_str());
      for (SealCode& seal : table.Day(d).nSeal) seal = static_cast<SealCode>(random() % 3);
    }
  };
  auto vary = [&](const MonthTable& base, MonthTable& side) {
    side = base;
    for (int d = 1; d <= 3; ++d) {
      if (random() % 2) SetDayLine(side.Day(d), static_cast<int>(random() % kLineCount), field().c_str());
      if (random() % 3 == 0) SetDayMemo(side.Day(d), field().c_str());
      if (random() % 3 == 0) side.Day(d).nSeal[random() % kSealSlots] = static_cast<SealCode>(random() % 4);
    }
  };
  for (int round = 0; round < 3000; ++round) {
    MonthTable base{}, ours{}, theirs{};
    month(base);
    vary(base, ours);
    vary(base, theirs);
    const MonthMergeResult result = MergeMonths(&base, ours, theirs, 31);
    for (int d = 1; d <= 3; ++d) {
      if (result.unplaced & (DayMask{1} << (d - 1))) continue;
      const DayRecord& merged = result.merged.Day(d);
      for (const MonthTable* side : {&ours, &theirs}) {
        const DayRecord& day = side->Day(d);
        for (int line = 0; line < kLineCount; ++line) {
          const std::string text = day.szLine[line];
          if (text.empty() || text == base.Day(d).szLine[line]) continue;
          EXPECT_NE(std::string::npos, Lines(merged).find(text)) << "round " << round << " day " << d;
        }
        if (day.szMemo[0] != '\0' && std::strcmp(day.szMemo, base.Day(d).szMemo) != 0) {
          EXPECT_NE(nullptr, std::strstr(merged.szMemo, day.szMemo)) << "round " << round << " day " << d;
        }
        for (int slot = 0; slot < kSealSlots; ++slot) {
          const SealCode seal = day.nSeal[slot];
          if (seal == 0 || seal == base.Day(d).nSeal[slot]) continue;
          bool found = false;
          for (SealCode kept : merged.nSeal) found = found || kept == seal;
          EXPECT_TRUE(found) << "round " << round << " day " << d << " seal " << seal;
        }
      }
    }
  }
}

}  // namespace
