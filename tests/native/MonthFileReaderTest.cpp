#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <initializer_list>
#include <string>

#include "data/MonthFile.h"
#include "MonthFileScratch.h"

namespace {

MonthTable Parse(const std::string& bytes) {
  MonthTable table;
  std::memset(&table, 0x5A, sizeof table);
  ParseMonthBytes(table, bytes.data(), bytes.size());
  return table;
}

bool SameDay(const DayRecord& a, const DayRecord& b) { return std::memcmp(&a, &b, sizeof a) == 0; }
bool SameMonth(const MonthTable& a, const MonthTable& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Seals from slot 1 and lines from line 1; the rest zero.
DayRecord Day(std::initializer_list<SealCode> seals, std::initializer_list<std::string> lines,
              const char* memo = "") {
  DayRecord day;
  std::memset(&day, 0, sizeof day);
  std::copy(seals.begin(), seals.end(), day.nSeal);
  int index = 0;
  for (const std::string& line : lines) SetDayLine(day, index++, line.c_str());
  SetDayMemo(day, memo);
  return day;
}

bool EmptyDay(const DayRecord& day) { return SameDay(day, Day({}, {})); }

// A month that uses everything a record can hold.
MonthTable RichMonth() {
  MonthTable table;
  ClearMonth(table);
  for (int d = 1; d <= kDaysInTable; ++d) {
    DayRecord& day = table.Day(d);
    day.nSeal[0] = d;
    day.nSeal[3] = d % 2 ? INT_MIN : INT_MAX;
    SetDayLine(day, 0, "A,B");
    SetDayLine(day, 1, "x\\y\\");
    SetDayLine(day, 2, "\x83\x5C\x95\x5C,\xB1,");
    SetDayLine(day, 3, std::string(d * 5, ',').c_str());
    SetDayLine(day, 4, std::string(127, static_cast<char>('a' + d % 26)).c_str());
    SetDayMemo(day, ("memo\r\nline," + std::string(d * 8, '\\') + "\r\n").c_str());
  }
  return table;
}

std::string WrittenBytes(const MonthTable& table, int days) {
  CMonthFileScratch scratch;
  std::string path = scratch.Path("m.dat");
  EXPECT_EQ(1, WriteMonthFile(table, path.c_str(), [days] { return days; }));
  return CMonthFileScratch::ReadAll(path);
}

TEST(MonthFileReaderTest, WrittenMonthReadsBackUnchanged) {
  CMonthFileScratch scratch;
  std::string path = scratch.Path("m.dat");
  for (int days : {28, 29, 31}) {
    MonthTable expected = RichMonth();
    ASSERT_EQ(1, WriteMonthFile(expected, path.c_str(), [days] { return days; }));
    for (int d = days + 1; d <= kDaysInTable; ++d) std::memset(&expected.Day(d), 0, sizeof(DayRecord));
    MonthTable read;
    std::memset(&read, 0x5A, sizeof read);
    ASSERT_EQ(1, ReadMonthFile(read, path.c_str()));
    EXPECT_TRUE(SameMonth(expected, read)) << days;
  }
}

// The same record wherever the 512-byte blocks cut it: the header line's
// ignored rest moves it along, one byte at a time.
TEST(MonthFileReaderTest, RecordsReadTheSameAcrossEveryBlockOffset) {
  std::string records = WrittenBytes(RichMonth(), 3).substr(4);
  MonthTable expected = Parse("QL3\n" + records);
  CMonthFileScratch scratch;
  std::string path = scratch.Path("m.dat");
  for (size_t shift = 0; shift < 2 * 512; ++shift) {
    std::string bytes = "QL3" + std::string(shift, 'h') + "\n" + records;
    ASSERT_TRUE(SameMonth(expected, Parse(bytes))) << shift;
    if (shift % 37 == 0) {
      CMonthFileScratch::WriteAll(path, bytes);
      MonthTable read;
      ASSERT_EQ(1, ReadMonthFile(read, path.c_str()));
      ASSERT_TRUE(SameMonth(expected, read)) << "file reader at " << shift;
    }
  }
}

struct SpellingCase {
  const char* name;
  std::string bytes;
};

const DayRecord kDayOne = Day({6, 15}, {"A,B"}, "W");
const DayRecord kDayTwo = Day({0, 0, 0, 3}, {"", "", "", "", "e"});

// Every spelling must read as day 1 = kDayOne, day 2 = kDayTwo, the rest empty;
// legacy lines have their own table below.
const SpellingCase kSpellings[] = {
    {"lf", "QL3\n01,6,15,0,0,A\\,B,,,,,W,\n02,0,0,0,3,,,,,e,,\n"},
    {"crlf", "QL3\r\n01,6,15,0,0,A\\,B,,,,,W,\r\n02,0,0,0,3,,,,,e,,\r\n"},
    {"headerWithMore", "QL3 version 3.1\n01,6,15,0,0,A\\,B,,,,,W,\n02,0,0,0,3,,,,,e,,\n"},
    {"numbersIgnored", "QL3\n05,6,15,0,0,A\\,B,,,,,W,\n06,0,0,0,3,,,,,e,,\n"},
    {"numbersOutOfOrder", "QL3\n31,6,15,0,0,A\\,B,,,,,W,\n01,0,0,0,3,,,,,e,,\n"},
    {"noFinalLineEnd", "QL3\n01,6,15,0,0,A\\,B,,,,,W,\n02,0,0,0,3,,,,,e,,"},
    {"numbersWithSpaceAndJunk", "QL3\n01, 6,+15x,,z,A\\,B,,,,,W,\n02,0,0,0, 3 ,,,,,e,,\n"},
    {"escapedOtherBytesDropTheEscape", "QL3\n01,6,15,0,0,\\A\\,B,,,,,\\W,\n02,0,0,0,3,,,,,\\e,,\n"},
};

TEST(MonthFileReaderTest, EquivalentSpellings) {
  for (const SpellingCase& c : kSpellings) {
    MonthTable table = Parse(c.bytes);
    EXPECT_TRUE(SameDay(kDayOne, table.Day(1))) << c.name;
    EXPECT_TRUE(SameDay(kDayTwo, table.Day(2))) << c.name;
    for (int d = 3; d <= kDaysInTable; ++d) EXPECT_TRUE(EmptyDay(table.Day(d))) << c.name << " day " << d;
  }
}

// A cut file keeps the fields completed before the cut and nothing else.
TEST(MonthFileReaderTest, EveryCutKeepsOnlyCompletedFields) {
  std::string bytes = WrittenBytes(RichMonth(), 2);
  MonthTable whole = Parse(bytes);
  for (size_t cut = 0; cut <= bytes.size(); ++cut) {
    MonthTable table = Parse(bytes.substr(0, cut));
    for (int d = 1; d <= kDaysInTable; ++d) {
      const DayRecord& got = table.Day(d);
      const DayRecord& full = whole.Day(d);
      for (int s = 0; s < kSealSlots; ++s) {
        ASSERT_TRUE(got.nSeal[s] == full.nSeal[s] || got.nSeal[s] == 0) << cut;
      }
      for (int l = 0; l < kLineCount; ++l) {
        ASSERT_TRUE(std::strcmp(got.szLine[l], full.szLine[l]) == 0 || got.szLine[l][0] == '\0') << cut;
      }
      ASSERT_TRUE(std::strcmp(got.szMemo, full.szMemo) == 0 || got.szMemo[0] == '\0') << cut;
    }
  }
  MonthTable cutInDayTwo = Parse(bytes.substr(0, bytes.find("A\\,B", bytes.find("\n02,")) + 2));
  EXPECT_TRUE(SameDay(whole.Day(1), cutInDayTwo.Day(1)));
  EXPECT_EQ(2, cutInDayTwo.Day(2).nSeal[0]);
  EXPECT_STREQ("", cutInDayTwo.Day(2).szLine[0]);
}

TEST(MonthFileReaderTest, EmptyAndMissingFiles) {
  CMonthFileScratch scratch;
  std::string path = scratch.Path("m.dat");
  MonthTable table;
  std::memset(&table, 0x5A, sizeof table);
  EXPECT_EQ(0, ReadMonthFile(table, path.c_str()));
  EXPECT_TRUE(SameMonth(Parse(""), table));
  for (const std::string& bytes : {std::string(), std::string("QL3"), std::string("QL3\n"), std::string("Q")}) {
    CMonthFileScratch::WriteAll(path, bytes);
    std::memset(&table, 0x5A, sizeof table);
    EXPECT_EQ(1, ReadMonthFile(table, path.c_str())) << bytes;
    for (int d = 1; d <= kDaysInTable; ++d) EXPECT_TRUE(EmptyDay(table.Day(d))) << bytes;
  }
  std::string tooLong(kPathSize, 'p');
  EXPECT_EQ(0, ReadMonthFile(table, tooLong.c_str()));
}

TEST(MonthFileReaderTest, MoreThan31RecordsOrLegacyLinesFillThe31Days) {
  std::string current = "QL3\n";
  std::string legacy;
  for (int d = 1; d <= 40; ++d) {
    current += "01," + std::to_string(d) + ",0,0,0,,,,,,,\n";
    legacy += "01 " + std::to_string(d) + "\n";
  }
  for (const std::string& bytes : {current, legacy}) {
    MonthTable table = Parse(bytes);
    for (int d = 1; d <= kDaysInTable; ++d) EXPECT_EQ(d, table.Day(d).nSeal[0]) << bytes.substr(0, 4);
  }
}

struct LongFieldCase {
  const char* name;
  std::string line1;
  std::string memo;
  std::string storedLine1;
  std::string storedMemo;
};

const LongFieldCase kLongFields[] = {
    {"lineCutTo127", std::string(300, 'x'), "", std::string(127, 'x'), ""},
    {"escapesCountAfterUnescaping", std::string(400, '\\'), "", std::string(127, '\\'), ""},
    {"pairNotSplitAt127", std::string(126, 'a') + "\x88\x9F", "", std::string(126, 'a'), ""},
    {"memoCutTo255", "", std::string(600, 'm'), "", std::string(255, 'm')},
    {"memoPairNotSplit", "", std::string(254, 'm') + "\x88\x9F", "", std::string(254, 'm')},
    {"farLongerThanAnyBuffer", std::string(100000, 'y'), std::string(70000, '\\'), std::string(127, 'y'),
     std::string(255, '\\')},
    {"pairsAcrossTheKeptPart", std::string(3001, 'a') + std::string(4000, '\x82'), "z", std::string(127, 'a'), "z"},
};

TEST(MonthFileReaderTest, LongFieldsAreCutAndTheNextRecordStaysInPlace) {
  for (const LongFieldCase& c : kLongFields) {
    std::string bytes = "QL3\n01,1,0,0,0," + c.line1 + ",,,,," + c.memo + ",\n02,2,0,0,0,next,,,,,,\n";
    MonthTable table = Parse(bytes);
    EXPECT_EQ(c.storedLine1, table.Day(1).szLine[0]) << c.name;
    EXPECT_EQ(c.storedMemo, table.Day(1).szMemo) << c.name;
    EXPECT_EQ(2, table.Day(2).nSeal[0]) << c.name;
    EXPECT_STREQ("next", table.Day(2).szLine[0]) << c.name;
  }
  // A field with no comma at all up to the end of the file is dropped.
  MonthTable unfinished = Parse("QL3\n01,1,0,0,0," + std::string(200000, 'u'));
  EXPECT_EQ(1, unfinished.Day(1).nSeal[0]);
  EXPECT_STREQ("", unfinished.Day(1).szLine[0]);
}

struct NumberCase {
  const char* field;
  SealCode value;
};

const NumberCase kNumbers[] = {
    {"12", 12},           {" \t12abc", 12},       {"-3", -3},
    {"+4", 4},            {"abc", 0},             {"", 0},
    {"-", 0},             {"2147483647", INT_MAX}, {"99999999999", INT_MAX},
    {"-2147483648", INT_MIN}, {"-99999999999", INT_MIN}, {"0007", 7},
};

TEST(MonthFileReaderTest, SealNumbers) {
  for (const NumberCase& c : kNumbers) {
    MonthTable current = Parse(std::string("QL3\n01,") + c.field + ",0,0,0,,,,,,,\n");
    EXPECT_EQ(c.value, current.Day(1).nSeal[0]) << c.field;
    if (std::strchr(c.field, ' ') != nullptr || c.field[0] == '\0') continue;
    MonthTable legacy = Parse(std::string("01 ") + c.field + "\n");
    EXPECT_EQ(c.value, legacy.Day(1).nSeal[0]) << c.field;
  }
}

struct LegacyCase {
  const char* name;
  std::string bytes;
  int day;
  DayRecord expected;
};

const std::string kLongLegacyText(600, 'q');

const LegacyCase kLegacyCases[] = {
    {"fullLine", "01 6 0 3 a b c d e\n", 1, Day({6, 0, 3}, {"a", "b", "c", "d", "e\n"})},
    {"onlyOneSeal", "01 6\n", 1, Day({6, 0, 0}, {})},
    {"runsOfSpaces", "  01   6  0 3    a  b\n", 1, Day({6, 0, 3}, {"a", "b\n"})},
    {"trailingSpaceBeforeLineEnd", "01 6 0 3 a b c d e \n", 1, Day({6, 0, 3}, {"a", "b", "c", "d", "e"})},
    {"fieldsAfterTheNinthIgnored", "01 1 2 3 a b c d e f g\n", 1, Day({1, 2, 3}, {"a", "b", "c", "d", "e"})},
    {"controlByteMeansEmpty", "01 1 \t2 3 \x01x b\n", 1, Day({1, 0, 3}, {"", "b\n"})},
    {"crlf", "01 1 2 3 a b c d e\r\n02 9\r\n", 2, Day({9, 0, 0}, {})},
    {"lastLineWithoutLineEnd", "01\n02 5 0 0 z", 2, Day({5, 0, 0}, {"z"})},
    {"secondLineIsDayTwo", "01 1\n02 2 0 0 two\n", 2, Day({2, 0, 0}, {"two\n"})},
    {"longLineIsOneDay", "01 1 0 0 " + kLongLegacyText + " b\n02 7\n", 2, Day({7, 0, 0}, {})},
    {"longLineTextCut", "01 1 0 0 " + kLongLegacyText + " b\n", 1,
     Day({1, 0, 0}, {std::string(127, 'q'), "b\n"})},
    {"pairNotSplit", "01 1 0 0 " + std::string(126, 'k') + "\x88\x9F\n", 1,
     Day({1, 0, 0}, {std::string(126, 'k')})},
    {"emptyLineIsAnEmptyDay", "01 1\n\n03 3\n", 3, Day({3, 0, 0}, {})},
};

TEST(MonthFileReaderTest, LegacyLines) {
  for (const LegacyCase& c : kLegacyCases) {
    MonthTable table = Parse(c.bytes);
    EXPECT_TRUE(SameDay(c.expected, table.Day(c.day))) << c.name << ": line 1 '" << table.Day(c.day).szLine[0]
                                                      << "', seal " << table.Day(c.day).nSeal[0];
  }
}

TEST(MonthFileReaderTest, LegacyMonthIsRewrittenInTheCurrentFormat) {
  CMonthFileScratch scratch;
  std::string path = scratch.Path("schedule2003_02.dat");
  CMonthFileScratch::WriteAll(path, "01 6 0 3 a b,c d e f\n02 1\n");
  MonthTable table;
  ASSERT_EQ(1, ReadMonthFile(table, path.c_str()));
  ASSERT_EQ(1, WriteMonthFile(table, path.c_str(), [] { return 3; }));
  EXPECT_EQ(
      "QL3\n01,6,0,3,0,a,b\\,c,d,e,f\n,,\n02,1,0,0,0,,,,,,,\n03,0,0,0,0,,,,,,,\n",
      CMonthFileScratch::ReadAll(path));
}

}  // namespace
