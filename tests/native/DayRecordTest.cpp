#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "data/DayRecord.h"

namespace {

struct CutCase {
  const char* name;
  std::string text;
  size_t fieldSize;
  std::string stored;
};

// "あ" is 0x82 0xA0; half-width katakana 0xB1 is one byte.
const CutCase kCutCases[] = {
    {"short", "abc", kLineSize, "abc"},
    {"exactly127", std::string(127, 'x'), kLineSize, std::string(127, 'x')},
    {"cutAt127", std::string(200, 'y'), kLineSize, std::string(127, 'y')},
    {"pairStraddlesLimit", std::string(126, 'a') + "\x82\xA0", kLineSize, std::string(126, 'a')},
    {"pairEndsAtLimit", std::string(125, 'a') + "\x82\xA0" + "z", kLineSize,
     std::string(125, 'a') + "\x82\xA0"},
    {"danglingLeadDropped", "ab\x82", kLineSize, "ab"},
    {"trailBackslashKept", "\x83\x5C", kLineSize, "\x83\x5C"},
    {"halfWidthKatakanaIsOneByte", std::string(127, '\xB1') + "q", kLineSize, std::string(127, '\xB1')},
    {"memoCutAt255", std::string(300, 'm'), kMemoSize, std::string(255, 'm')},
    {"memoPairStraddles", std::string(254, 'm') + "\x88\xA0", kMemoSize, std::string(254, 'm')},
    {"crlfKept", "a\r\nb", kMemoSize, "a\r\nb"},
};

TEST(DayRecordTest, StoreFieldTextCutsOnCharacterBoundaryAndTerminates) {
  for (const CutCase& c : kCutCases) {
    char field[kMemoSize];
    std::memset(field, 'Z', sizeof field);
    size_t length = StoreFieldText(field, c.fieldSize, c.text.c_str());
    EXPECT_EQ(c.stored, std::string(field)) << c.name;
    EXPECT_EQ(c.stored.size(), length) << c.name;
    for (size_t i = length; i < c.fieldSize; ++i) ASSERT_EQ('\0', field[i]) << c.name << " at " << i;
    if (c.fieldSize < sizeof field) {
      EXPECT_EQ('Z', field[c.fieldSize]) << c.name << ": wrote past the field";
    }
  }
}

TEST(DayRecordTest, SettersWriteTheirOwnFieldOnly) {
  MonthTable table;
  ClearMonth(table);
  DayRecord& day = table.Day(5);
  SetDayLine(day, 1, std::string(200, 'L').c_str());
  SetDayMemo(day, std::string(300, 'M').c_str());
  EXPECT_EQ(std::string(127, 'L'), day.szLine[1]);
  EXPECT_EQ(std::string(255, 'M'), day.szMemo);
  EXPECT_STREQ("", day.szLine[0]);
  EXPECT_STREQ("", day.szLine[2]);
  EXPECT_EQ(&table.days[4], &day);
}

TEST(DayRecordTest, ClearMonthEmptiesEveryDay) {
  MonthTable table;
  std::memset(&table, 0x5A, sizeof table);
  ClearMonth(table);
  for (int d = 1; d <= kDaysInTable; ++d) {
    const DayRecord& day = table.Day(d);
    for (SealCode code : day.nSeal) EXPECT_EQ(0, code);
    for (const auto& line : day.szLine) EXPECT_STREQ("", line);
    EXPECT_STREQ("", day.szMemo);
  }
}

}  // namespace
