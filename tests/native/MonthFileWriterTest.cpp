#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "data/MonthFile.h"
#include "MonthFileScratch.h"

namespace {

std::string EmptyRecord(int day) {
  char record[32];
  std::snprintf(record, sizeof record, "%02d,0,0,0,0,,,,,,,\n", day);
  return record;
}

MonthTable ExampleMonth() {
  MonthTable table;
  ClearMonth(table);
  DayRecord& day = table.Day(5);
  day.nSeal[0] = 6;
  day.nSeal[1] = 15;
  SetDayLine(day, 0, "A,B");
  SetDayLine(day, 1, "x\\y");
  SetDayMemo(day, "W");
  return table;
}

struct DaysCase {
  const char* name;
  int answer;
  int records;
  int questions;
};

const DaysCase kDaysCases[] = {
    {"february", 28, 28, 29},      {"februaryLeap", 29, 29, 30}, {"thirty", 30, 30, 31},
    {"thirtyOne", 31, 31, 31},     {"none", 0, 0, 1},            {"negativeClampedToNone", -5, 0, 1},
    {"tooManyClampedTo31", 40, 31, 31},
};

TEST(MonthFileWriterTest, WritesTheExampleMonthByteForByte) {
  CMonthFileScratch scratch;
  ASSERT_TRUE(scratch.Ok());
  MonthTable table = ExampleMonth();
  for (const DaysCase& c : kDaysCases) {
    int questions = 0;
    std::string path = scratch.Path("schedule2010_03.dat");
    ASSERT_EQ(1, WriteMonthFile(table, path.c_str(), [&] { return ++questions, c.answer; })) << c.name;
    std::string expected = "QL3\n";
    for (int day = 1; day <= c.records; ++day) {
      expected += day == 5 ? "05,6,15,0,0,A\\,B,x\\\\y,,,,W,\n" : EmptyRecord(day);
    }
    EXPECT_EQ(expected, CMonthFileScratch::ReadAll(path)) << c.name;
    EXPECT_EQ(c.questions, questions) << c.name;
    EXPECT_EQ(std::vector<std::string>{"schedule2010_03.dat"}, scratch.Names()) << c.name;
  }
}

TEST(MonthFileWriterTest, TheHostIsAskedBeforeEveryDay) {
  CMonthFileScratch scratch;
  MonthTable table;
  ClearMonth(table);
  std::string path = scratch.Path("m.dat");
  // A host whose answer drops to 2 after two questions: day 3 is not written.
  int questions = 0;
  ASSERT_EQ(1, WriteMonthFile(table, path.c_str(), [&] { return ++questions <= 2 ? 31 : 2; }));
  EXPECT_EQ("QL3\n" + EmptyRecord(1) + EmptyRecord(2), CMonthFileScratch::ReadAll(path));
}

TEST(MonthFileWriterTest, TextsAreEscapedAndMemoLineBreaksSpanLines) {
  CMonthFileScratch scratch;
  MonthTable table;
  ClearMonth(table);
  DayRecord& day = table.Day(1);
  day.nSeal[3] = -7;
  SetDayLine(day, 0, "\x83\x5C\x95\x5C");  // ソ表: trail bytes 0x5C stay plain
  SetDayLine(day, 1, "\xB1,");             // half-width katakana protects nothing
  SetDayLine(day, 4, "\\\\");
  SetDayMemo(day, "one\r\ntwo,\r\nthree");
  std::string path = scratch.Path("m.dat");
  ASSERT_EQ(1, WriteMonthFile(table, path.c_str(), [] { return 1; }));
  EXPECT_EQ(
      "QL3\n01,0,0,0,-7,\x83\x5C\x95\x5C,\xB1\\,,,,\\\\\\\\,"
      "one\r\ntwo\\,\r\nthree,\n",
      CMonthFileScratch::ReadAll(path));
}

TEST(MonthFileWriterTest, UnterminatedFieldsAreCutNotOverrun) {
  CMonthFileScratch scratch;
  MonthTable table;
  std::memset(&table, 'k', sizeof table);
  for (DayRecord& day : table.days) std::fill(std::begin(day.nSeal), std::end(day.nSeal), INT_MIN);
  std::string path = scratch.Path("m.dat");
  ASSERT_EQ(1, WriteMonthFile(table, path.c_str(), [] { return 1; }));
  std::string line(kLineSize - 1, 'k');
  std::string memo(kMemoSize - 1, 'k');
  std::string numbers = "01,-2147483648,-2147483648,-2147483648,-2147483648,";
  EXPECT_EQ("QL3\n" + numbers + line + "," + line + "," + line + "," + line + "," + line + "," + memo + ",\n",
            CMonthFileScratch::ReadAll(path));
}

TEST(MonthFileWriterTest, ReplacesAnOldFileWholly) {
  CMonthFileScratch scratch;
  std::string path = scratch.Path("m.dat");
  CMonthFileScratch::WriteAll(path, std::string(5000, 'o'));
  MonthTable table;
  ClearMonth(table);
  ASSERT_EQ(1, WriteMonthFile(table, path.c_str(), [] { return 1; }));
  EXPECT_EQ("QL3\n" + EmptyRecord(1), CMonthFileScratch::ReadAll(path));
  EXPECT_EQ(std::vector<std::string>{"m.dat"}, scratch.Names());
}

TEST(MonthFileWriterTest, FailuresReturnZeroAndLeaveNothingBehind) {
  CMonthFileScratch scratch;
  MonthTable table;
  ClearMonth(table);
  auto days = [] { return 31; };
  EXPECT_EQ(0, WriteMonthFile(table, scratch.Path("missing/m.dat").c_str(), days));
  // A folder in the file's place cannot be replaced: the written temporary goes.
  std::filesystem::create_directory(scratch.Path("m.dat"));
  CMonthFileScratch::WriteAll(scratch.Path("m.dat/inside"), "x");
  EXPECT_EQ(0, WriteMonthFile(table, scratch.Path("m.dat").c_str(), days));
  EXPECT_EQ(std::vector<std::string>{"m.dat"}, scratch.Names());
  std::string tooLong = scratch.Path(std::string(kPathSize, 'n'));
  EXPECT_EQ(0, WriteMonthFile(table, tooLong.c_str(), days));
  EXPECT_EQ(0, WriteMonthFile(table, "", days));
}

struct PathCase {
  const char* name;
  std::string directory;
  int year;
  int month;
  char separator;
  bool fits;
  std::string path;
};

const std::string kLongDirectory(kPathSize - sizeof "/Plannix/schedule2010_02.dat", 'd');

const PathCase kPathCases[] = {
    {"windows", "C:\\Data", 2010, 2, '\\', true, "C:\\Data\\Plannix\\schedule2010_02.dat"},
    {"native", "/data", 2010, 12, '/', true, "/data/Plannix/schedule2010_12.dat"},
    {"yearWithoutZeros", "d", 987, 3, '/', true, "d/Plannix/schedule987_03.dat"},
    {"exactly259", kLongDirectory, 2010, 2, '/', true, kLongDirectory + "/Plannix/schedule2010_02.dat"},
    {"oneTooLong", kLongDirectory + "d", 2010, 2, '/', false, ""},
    {"farTooLong", std::string(1000, 'd'), 2010, 2, '/', false, ""},
};

TEST(MonthFileWriterTest, FormatMonthFilePathCases) {
  for (const PathCase& c : kPathCases) {
    char path[kPathSize];
    std::memset(path, 'Z', sizeof path);
    EXPECT_EQ(c.fits, FormatMonthFilePath(path, c.directory.c_str(), "Plannix", c.year, c.month, c.separator))
        << c.name;
    EXPECT_EQ(c.path, path) << c.name;
  }
}

}  // namespace
