// Calendars in the shapes common applications write, brought into a book
// that already holds entries.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <sstream>
#include <string>

#include "cp932/Utf8FromCp932.h"
#include "data/MonthFile.h"
#include "import/BookImport.h"
#include "tests/native/MonthFileScratch.h"

namespace {

// Google Calendar: zones defined in the file, a weekly rule with an
// exception and a moved instance, UTC times, folds inside characters.
const char kGoogleShape[] =
    u8"BEGIN:VCALENDAR\r\nPRODID:-//Google Inc//Google Calendar 70.9054//EN\r\nVERSION:2.0\r\n"
    u8"BEGIN:VTIMEZONE\r\nTZID:Asia/Tokyo\r\nBEGIN:STANDARD\r\nTZOFFSETFROM:+0900\r\nTZOFFSETTO:+0900\r\n"
    u8"DTSTART:19700101T000000\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n"
    u8"BEGIN:VEVENT\r\nDTSTART;TZID=Asia/Tokyo:20240105T100000\r\nDTEND;TZID=Asia/Tokyo:20240105T110000\r\n"
    u8"RRULE:FREQ=WEEKLY;BYDAY=FR;UNTIL=20240201T005959Z\r\nEXDATE;TZID=Asia/Tokyo:20240112T100000\r\n"
    u8"UID:weekly@google.com\r\nSUMMARY:定例\\, 週次\\; 全員\r\nDESCRIPTION:議題:\\n予算\r\n"
    u8"BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT10M\r\nEND:VALARM\r\nEND:VEVENT\r\n"
    u8"BEGIN:VEVENT\r\nDTSTART;TZID=Asia/Tokyo:20240122T150000\r\nDTEND;TZID=Asia/Tokyo:20240122T160000\r\n"
    u8"RECURRENCE-ID;TZID=Asia/Tokyo:20240119T100000\r\nUID:weekly@google.com\r\nSUMMARY:定例 (移動)\r\n"
    u8"END:VEVENT\r\n"
    u8"BEGIN:VEVENT\r\nDTSTART:20240120T013000Z\r\nDTEND:20240120T023000Z\r\nUID:utc@google.com\r\n"
    u8"SUMMARY:Call with the team in Berlin about the \xE6\x97\r\n \xA5\xE7\xA8\x8B for next quarter\r\nEND:VEVENT\r\n"
    u8"BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20240210\r\nDTEND;VALUE=DATE:20240213\r\nUID:trip@google.com\r\n"
    u8"SUMMARY:出張 大阪\r\nCATEGORIES:出張\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";

// Outlook: Windows zone names, a cancelled instance, a duration.
const char kOutlookShape[] =
    u8"BEGIN:VCALENDAR\r\nPRODID:-//Microsoft Corporation//Outlook 16.0 MIMEDIR//EN\r\nVERSION:2.0\r\n"
    u8"BEGIN:VTIMEZONE\r\nTZID:Tokyo Standard Time\r\nEND:VTIMEZONE\r\n"
    u8"BEGIN:VEVENT\r\nDTSTART;TZID=\"Tokyo Standard Time\":20240102T090000\r\n"
    u8"RRULE:FREQ=DAILY;COUNT=3\r\nUID:daily@outlook\r\nSUMMARY:朝会\r\nEND:VEVENT\r\n"
    u8"BEGIN:VEVENT\r\nRECURRENCE-ID;TZID=\"Tokyo Standard Time\":20240103T090000\r\n"
    u8"DTSTART;TZID=\"Tokyo Standard Time\":20240103T090000\r\nUID:daily@outlook\r\nSTATUS:CANCELLED\r\n"
    u8"SUMMARY:朝会\r\nEND:VEVENT\r\n"
    u8"BEGIN:VEVENT\r\nDTSTART;TZID=\"Tokyo Standard Time\":20240109T220000\r\nDURATION:PT4H\r\n"
    u8"UID:night@outlook\r\nSUMMARY:夜行バス\r\nCATEGORIES:Travel,旅行、レジャー\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";

// Apple Calendar: LF line ends, an IANA zone without VTIMEZONE, categories on two lines.
const char kAppleShape[] =
    u8"BEGIN:VCALENDAR\nVERSION:2.0\nPRODID:-//Apple Inc.//macOS 14.0//EN\nX-WR-CALNAME:Home\n"
    u8"BEGIN:VEVENT\nDTSTART;TZID=Europe/Berlin:20240301T083000\nDTEND;TZID=Europe/Berlin:20240301T093000\n"
    u8"UID:A1\nSUMMARY:Dentist\nCATEGORIES:病院\nCATEGORIES:Health,ハッピー\nEND:VEVENT\n"
    u8"BEGIN:VEVENT\nDTSTART;TZID=Europe/Berlin:20240302T083000\nUID:A2\nSUMMARY:Bäckerei 〜 ¥100\nEND:VEVENT\n"
    u8"END:VCALENDAR\n";

class BookImportTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(m_folder.Ok()); }

  bool Import(const std::string& calendar, ImportOptions options = ImportOptions()) {
    m_report.str("");
    m_summary = ImportSummary();
    m_error.clear();
    return ImportCalendar(calendar, m_folder.Path(""), options, m_report, m_summary, m_error);
  }

  std::string MonthPath(int year, int month) const {
    char name[40];
    std::snprintf(name, sizeof name, "schedule%d_%02d.dat", year, month);
    return m_folder.Path(name);
  }

  MonthTable Month(int year, int month) const {
    MonthTable table;
    ReadMonthFile(table, MonthPath(year, month).c_str());
    return table;
  }

  void WriteMonth(int year, int month, const MonthTable& table) const {
    ASSERT_EQ(WriteMonthFile(table, MonthPath(year, month).c_str(), [] { return 31; }), 1);
  }

  static std::string Utf8(const char* field) {
    std::string text;
    AppendUtf8FromCp932(text, field);
    return text;
  }

  CMonthFileScratch m_folder;
  std::ostringstream m_report;
  ImportSummary m_summary;
  std::string m_error;
};

struct LineCheck {
  int year, month, day, line;
  const char* text;  // UTF-8; "" for a free line
};

TEST_F(BookImportTest, CommonApplicationsShapes) {
  ASSERT_TRUE(Import(kGoogleShape)) << m_error;
  ASSERT_TRUE(Import(kOutlookShape)) << m_error;
  ASSERT_TRUE(Import(kAppleShape)) << m_error;
  const LineCheck checks[] = {
      {2024, 1, 5, 0, u8"10:00 定例, 週次; 全員"},
      {2024, 1, 12, 0, ""},  // EXDATE
      {2024, 1, 19, 0, ""},  // moved to the 22nd
      {2024, 1, 22, 0, u8"15:00 定例 (移動)"},
      {2024, 1, 26, 0, u8"10:00 定例, 週次; 全員"},
      {2024, 1, 20, 0, u8"01:30 Call with the team in Berlin about the 日程 for next quarter"},
      {2024, 2, 2, 0, ""},  // after UNTIL
      {2024, 2, 10, 0, u8"出張 大阪 (～2/12)"},
      {2024, 1, 2, 0, u8"09:00 朝会"},
      {2024, 1, 3, 0, ""},  // cancelled
      {2024, 1, 4, 0, u8"09:00 朝会"},
      {2024, 1, 9, 0, u8"22:00 夜行バス (～1/10)"},
      {2024, 3, 1, 0, u8"08:30 Dentist"},
      {2024, 3, 2, 0, u8"08:30 B?ckerei ～ \\100"},
  };
  for (const LineCheck& c : checks) {
    EXPECT_EQ(Utf8(Month(c.year, c.month).Day(c.day).szLine[c.line]), c.text) << c.month << "/" << c.day;
  }
  MonthTable january = Month(2024, 1);
  EXPECT_EQ(Utf8(january.Day(5).szMemo), u8"議題:\r\n予算");
  EXPECT_EQ(Month(2024, 2).Day(10).nSeal[0], 12) << "出張";
  EXPECT_EQ(january.Day(9).nSeal[0], 5) << "旅行、レジャー";
  EXPECT_EQ(Month(2024, 3).Day(1).nSeal[0], 10) << "病院";
  EXPECT_EQ(Month(2024, 3).Day(1).nSeal[1], 1) << "ハッピー";
  EXPECT_EQ(m_report.str().find("Europe/Berlin"), m_report.str().rfind("Europe/Berlin")) << "one warning per zone";
  EXPECT_NE(m_report.str().find("warning: line 6: the time zone \"Europe/Berlin\""), std::string::npos)
      << m_report.str();
  EXPECT_EQ(m_summary.substituted, 1) << "a with diaeresis";

  for (const char* calendar : {kGoogleShape, kOutlookShape, kAppleShape}) {
    ASSERT_TRUE(Import(calendar));
    EXPECT_EQ(m_summary.Added(), 0) << "a second import adds nothing";
  }
}

TEST_F(BookImportTest, OnlyFreeFieldsAreFilledAndWhatDoesNotFitIsReported) {
  MonthTable table;
  ClearMonth(table);
  DayRecord& day = table.Day(7);
  for (int line = 0; line < 4; ++line) SetDayLine(day, line, "typed");
  SetDayMemo(day, std::string(250, 'm').c_str());
  day.nSeal[0] = 6;
  day.nSeal[1] = day.nSeal[2] = day.nSeal[3] = 47;
  WriteMonth(2024, 4, table);
  std::string longTitle;
  for (int i = 0; i < 70; ++i) longTitle += u8"長";
  std::string calendar = "BEGIN:VCALENDAR\r\n";
  for (const std::string& summary : {longTitle, std::string("second")}) {
    calendar += "BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20240407\r\nSUMMARY:" + summary +
                u8"\r\nDESCRIPTION:note text\r\nCATEGORIES:ハッピー,電話\r\nEND:VEVENT\r\n";
  }
  calendar += "END:VCALENDAR\r\n";
  ASSERT_TRUE(Import(calendar)) << m_error;
  DayRecord merged = Month(2024, 4).Day(7);
  for (int line = 0; line < 4; ++line) EXPECT_STREQ(merged.szLine[line], "typed");
  EXPECT_EQ(std::strlen(merged.szLine[4]), 126u) << "63 whole characters of two bytes";
  EXPECT_EQ(std::string(merged.szMemo), std::string(250, 'm') + "\r\nnot");
  EXPECT_EQ(merged.nSeal[0], 6);
  EXPECT_EQ(m_summary.linesAdded, 1);
  EXPECT_EQ(m_summary.noFreeLine, 1);
  EXPECT_EQ(m_summary.memosAdded, 1);
  EXPECT_EQ(m_summary.alreadyThere, 2) << "電話 stands, and the memo's cut text";
  EXPECT_EQ(m_summary.noFreeSealSlot, 1) << "ハッピー";
  EXPECT_EQ(m_summary.cut, 2);
  const std::string report = m_report.str();
  EXPECT_NE(report.find("2024-04-07 not added, no free line: \"second\" (event of line 8)"), std::string::npos)
      << report;
  EXPECT_NE(report.find(u8"2024-04-07 not added, no free seal slot: ハッピー"), std::string::npos) << report;
}

TEST_F(BookImportTest, AMonthFileThatCannotBeReadOrWouldLoseDaysIsLeftAlone) {
  std::filesystem::create_directory(MonthPath(2024, 5));  // opens, but reads nothing
  m_folder.WriteAll(MonthPath(2024, 6), "QL3\n01,0,0,0,0,whole,,,,,,\n02,0,0,0,0,cu");
  MonthTable september;
  ClearMonth(september);
  SetDayLine(september.Day(31), 0, "a day that September does not have");
  WriteMonth(2024, 9, september);
  std::string calendar = "BEGIN:VCALENDAR\r\n";
  for (const char* date : {"20240501", "20240601", "20240701", "20240901"}) {
    calendar += std::string("BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:") + date + "\r\nSUMMARY:x\r\nEND:VEVENT\r\n";
  }
  calendar += "END:VCALENDAR\r\n";
  ASSERT_TRUE(Import(calendar)) << m_error;
  EXPECT_EQ(m_summary.failedMonths, 3) << m_report.str();
  EXPECT_EQ(m_summary.inFailedMonths, 3);
  EXPECT_EQ(m_summary.linesAdded, 1) << "July goes on";
  EXPECT_EQ(m_folder.ReadAll(MonthPath(2024, 6)), "QL3\n01,0,0,0,0,whole,,,,,,\n02,0,0,0,0,cu");
  EXPECT_NE(m_report.str().find("schedule2024_05.dat: cannot be read"), std::string::npos) << m_report.str();
  EXPECT_NE(m_report.str().find("schedule2024_06.dat: ends inside a record"), std::string::npos);
  EXPECT_NE(m_report.str().find("schedule2024_09.dat: holds day 31"), std::string::npos);
}

TEST_F(BookImportTest, RulesThatAreNotExpandedOrHaveNoEnd) {
  const char* calendar =
      "BEGIN:VCALENDAR\r\n"
      "BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20240101\r\nRRULE:FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-1\r\n"
      "SUMMARY:last workday\r\nEND:VEVENT\r\n"
      "BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20230315\r\nRRULE:FREQ=YEARLY\r\nSUMMARY:birthday\r\nEND:VEVENT\r\n"
      "END:VCALENDAR\r\n";
  ImportOptions options;
  options.endlessUntil = {2025, 12};
  options.from = {2024, 1};
  ASSERT_TRUE(Import(calendar, options)) << m_error;
  EXPECT_EQ(m_summary.linesAdded, 3) << "the first workday date, birthdays 2024 and 2025";
  EXPECT_EQ(m_summary.outsideRange, 1) << "the birthday of 2023";
  EXPECT_NE(m_report.str().find("warning: line 4: RRULE with BYSETPOS is not expanded"), std::string::npos);
  EXPECT_NE(m_report.str().find("warning: line 9: RRULE has no end; its dates are imported up to 2025-12"),
            std::string::npos)
      << m_report.str();
}

struct BrokenCase {
  const char* what;
  std::string calendar;
  const char* error;  // the start of the message
};

const std::string kEvent = "BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20240101\r\nSUMMARY:x\r\nEND:VEVENT\r\n";

const BrokenCase kBrokenCases[] = {
    {"a text file", "hello\r\nworld\r\n", "line 1: not an iCalendar file"},
    {"another component first", "BEGIN:VCARD\r\nEND:VCARD\r\n", "line 1: not an iCalendar file"},
    {"empty", "", "line 1: not an iCalendar file"},
    {"no colon", "BEGIN:VCALENDAR\r\n" + kEvent + "SUMMARY x\r\nEND:VCALENDAR\r\n", "line 6: a broken content line"},
    {"open quote", "BEGIN:VCALENDAR\r\nX-A;P=\"v:1\r\n", "line 2: a broken content line"},
    {"not UTF-8", "BEGIN:VCALENDAR\r\n" + kEvent + "X-A:\xFF\r\nEND:VCALENDAR\r\n", "line 6: a broken content line"},
    {"fold first", " BEGIN:VCALENDAR\r\n", "line 1: not an iCalendar file"},
    {"cut file", "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART:20240101\r\n", "line 2: the file ends inside"},
    {"END closes the wrong", "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nEND:VTODO\r\n", "line 3: END:VTODO closes"},
    {"no DTSTART", "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nSUMMARY:x\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n",
     "line 2: the VEVENT begun here has no DTSTART"},
    {"no such date", "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART:20230229\r\n", "line 3: DTSTART is no date"},
    {"broken rule",
     "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART:20230228\r\nRRULE:FREQ=DAILY;COUNT=0\r\nEND:VEVENT\r\nEND:"
     "VCALENDAR\r\n",
     "line 4: RRULE cannot be read: COUNT=0"},
    {"rule without FREQ",
     "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART:20230228\r\nRRULE:COUNT=2\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n",
     "line 4: RRULE cannot be read: it has no FREQ"},
};

TEST_F(BookImportTest, BrokenInputNamesTheLineAndWritesNothing) {
  for (const BrokenCase& c : kBrokenCases) {
    EXPECT_FALSE(Import(c.calendar)) << c.what;
    EXPECT_EQ(m_error.rfind(c.error, 0), 0u) << c.what << ": " << m_error;
  }
  EXPECT_TRUE(m_folder.Names().empty());
}

}  // namespace
