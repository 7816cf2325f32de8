#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>

#include "data/MonthFile.h"
#include "export/BookExport.h"
#include "export/ExportArguments.h"
#include "export/MonthFileList.h"
#include "tests/native/MonthFileScratch.h"

namespace {

struct NameCase {
  const char* name;
  bool month;
  int year;
  int monthNumber;
};

const NameCase kNameCases[] = {
    {"schedule2010_03.dat", true, 2010, 3}, {"schedule1_12.dat", true, 1, 12},
    {"schedule9999_01.dat", true, 9999, 1}, {"schedule2010_3.dat", false, 0, 0},
    {"schedule2010_13.dat", false, 0, 0},   {"schedule2010_00.dat", false, 0, 0},
    {"schedule02010_03.dat", false, 0, 0},  {"schedule10000_01.dat", false, 0, 0},
    {"schedule_03.dat", false, 0, 0},       {"schedule2010_03.dat.bak", false, 0, 0},
    {"Schedule2010_03.dat", false, 0, 0},   {"schedule2010-03.dat", false, 0, 0},
    {"schedule20a0_03.dat", false, 0, 0},   {"schedule.dat", false, 0, 0},
};

TEST(MonthFileList, NameCases) {
  for (const NameCase& c : kNameCases) {
    int year = 0;
    int month = 0;
    EXPECT_EQ(ParseMonthFileName(c.name, year, month), c.month) << c.name;
    if (!c.month) continue;
    EXPECT_EQ(year, c.year) << c.name;
    EXPECT_EQ(month, c.monthNumber) << c.name;
  }
}

class BookExportTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(m_scratch.Ok()); }

  void WriteMonth(int year, int month, const MonthTable& table) {
    char name[64];
    std::snprintf(name, sizeof name, "schedule%d_%02d.dat", year, month);
    ASSERT_EQ(WriteMonthFile(table, m_scratch.Path(name).c_str(), [] { return 31; }), 1);
  }

  static MonthTable MonthWith(int day, const char* line, SealCode seal = 0) {
    MonthTable table;
    ClearMonth(table);
    SetDayLine(table.Day(day), 0, line);
    table.Day(day).nSeal[0] = seal;
    return table;
  }

  std::string Export(const ExportOptions& options, std::string* warnings = nullptr) {
    std::ostringstream out;
    std::ostringstream said;
    ExportSummary summary;
    EXPECT_TRUE(ExportBook(m_scratch.Path(""), options, out, said, summary));
    if (warnings != nullptr) *warnings = said.str();
    return out.str();
  }

  CMonthFileScratch m_scratch;
};

std::vector<std::string> Values(const std::string& text, const std::string& name) {
  std::vector<std::string> values;
  for (size_t at = 0; (at = text.find("\r\n" + name + ":", at)) != std::string::npos; at += 2) {
    size_t start = at + 3 + name.size();
    values.push_back(text.substr(start, text.find("\r\n", start) - start));
  }
  return values;
}

TEST_F(BookExportTest, TwoExportsAreByteIdenticalWithDistinctUidsInDateOrder) {
  WriteMonth(2011, 1, MonthWith(2, "new year"));
  WriteMonth(2010, 12, MonthWith(31, "eve", 6));
  WriteMonth(1999, 7, MonthWith(1, "old"));
  m_scratch.WriteAll(m_scratch.Path("notes.txt"), "not a month");
  ExportOptions options;
  std::string first = Export(options);
  EXPECT_EQ(Export(options), first);
  EXPECT_EQ(Values(first, "DTSTART;VALUE=DATE"), (std::vector<std::string>{"19990701", "20101231", "20110102"}));
  std::vector<std::string> uids = Values(first, "UID");
  EXPECT_EQ(std::set<std::string>(uids.begin(), uids.end()).size(), uids.size());
  options.format = ExportFormat::kCsv;
  EXPECT_EQ(Export(options), Export(options));
}

TEST_F(BookExportTest, RangeTakesBothEndMonths) {
  for (int month = 1; month <= 12; ++month) WriteMonth(2010, month, MonthWith(month, "x"));
  ExportOptions options;
  options.from = {2010, 3};
  options.to = {2010, 5};
  EXPECT_EQ(Values(Export(options), "DTSTART;VALUE=DATE"),
            (std::vector<std::string>{"20100303", "20100404", "20100505"}));
}

TEST_F(BookExportTest, DamagedFilesAreNamedAndTheExportGoesOn) {
  WriteMonth(2010, 2, MonthWith(30, "no such day"));
  WriteMonth(2010, 3, MonthWith(1, "bad \xFF byte", 37));
  m_scratch.WriteAll(m_scratch.Path("schedule2010_04.dat"), "QL3\n01,0,0,0,0,kept,,,,,,\n02,0,0,0,0,cut");
  m_scratch.WriteAll(m_scratch.Path("schedule2010_05.dat"), "01 6 0 3 legacy b\n");
  std::string warnings;
  std::string calendar = Export(ExportOptions(), &warnings);
  EXPECT_EQ(Values(calendar, "SUMMARY"), (std::vector<std::string>{u8"bad \uFFFD byte", "kept", "legacy", "b"}));
  EXPECT_NE(warnings.find("schedule2010_02.dat: day 30 has content"), std::string::npos) << warnings;
  EXPECT_NE(warnings.find("schedule2010_03.dat: 1 byte sequence(s)"), std::string::npos) << warnings;
  EXPECT_NE(warnings.find("schedule2010_03.dat: seal code 37"), std::string::npos) << warnings;
  EXPECT_NE(warnings.find("schedule2010_04.dat: ends inside a record"), std::string::npos) << warnings;
  EXPECT_EQ(warnings.find("schedule2010_05.dat"), std::string::npos) << warnings;
}

TEST(BookExport, AFolderThatCannotBeListedFails) {
  std::ostringstream out;
  std::ostringstream warnings;
  ExportSummary summary;
  EXPECT_FALSE(ExportBook("/nonexistent/plannix", ExportOptions(), out, warnings, summary));
  EXPECT_NE(warnings.str().find("/nonexistent/plannix"), std::string::npos);
}

struct ArgumentCase {
  std::vector<const char*> argv;
  bool ok;
  const char* errorPart;  // for a refusal
};

// Every option accepted at once is ValuesReachTheOptions' case.
const ArgumentCase kArgumentCases[] = {
    {{"dir"}, true, ""},
    {{}, false, "no data folder"},
    {{"a", "b"}, false, "more than one"},
    {{"--format", "xml", "dir"}, false, "unknown format"},
    {{"--format"}, false, "needs a value"},
    {{"--from", "2010-3", "dir"}, false, "YYYY-MM"},
    {{"--from", "2010-13", "dir"}, false, "YYYY-MM"},
    {{"--to", "0000-01", "dir"}, false, "YYYY-MM"},
    {{"--from", "2010-05", "--to", "2010-04", "dir"}, false, "after"},
    {{"--to", "2010-05", "--to", "2010-06", "dir"}, false, "twice"},
    {{"--verbose", "dir"}, false, "unknown option"},
    {{"--out", "", "dir"}, false, "file name"},
    {{"--time-zone", "Mars/Olympus", "dir"}, false, "unknown time zone"},
};

TEST(ExportArguments, Cases) {
  for (const ArgumentCase& c : kArgumentCases) {
    std::vector<const char*> argv{"plannix-export"};
    argv.insert(argv.end(), c.argv.begin(), c.argv.end());
    ExportArguments arguments;
    std::string error;
    std::string line;
    for (const char* a : c.argv) line += std::string(a) + " ";
    EXPECT_EQ(ParseExportArguments(static_cast<int>(argv.size()), argv.data(), arguments, error), c.ok) << line;
    EXPECT_NE(error.find(c.errorPart), std::string::npos) << line << ": " << error;
  }
}

TEST(ExportArguments, ValuesReachTheOptions) {
  const char* argv[] = {"plannix-export", "--format", "csv", "--from",      "2001-02",          "--to",
                        "2003-11",        "--out",    "o",   "--time-zone", "America/New_York", "d"};
  ExportArguments arguments;
  std::string error;
  ASSERT_TRUE(ParseExportArguments(12, argv, arguments, error));
  EXPECT_EQ(arguments.options.timeZone, "America/New_York");
  EXPECT_EQ(arguments.options.format, ExportFormat::kCsv);
  EXPECT_EQ(arguments.options.from.Index(), (YearMonth{2001, 2}.Index()));
  EXPECT_EQ(arguments.options.to.Index(), (YearMonth{2003, 11}.Index()));
  EXPECT_EQ(arguments.outPath, "o");
  EXPECT_EQ(arguments.folder, "d");
}

}  // namespace
