// Calendars in the shapes common applications write, brought into a book
// that already holds entries.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <new>
#include <sstream>
#include <string>

#include "cp932/Utf8FromCp932.h"
#include "data/MonthFile.h"
#include "data/MonthFileWriter.h"
#include "export/BookExport.h"
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

// Apple Calendar: LF line ends, a zone without VTIMEZONE that the import knows, categories on two lines.
const char kAppleShape[] =
    u8"BEGIN:VCALENDAR\nVERSION:2.0\nPRODID:-//Apple Inc.//macOS 14.0//EN\nX-WR-CALNAME:Home\n"
    u8"BEGIN:VEVENT\nDTSTART;TZID=Europe/Berlin:20240301T083000\nDTEND;TZID=Europe/Berlin:20240301T093000\n"
    u8"UID:A1\nSUMMARY:Dentist\nCATEGORIES:病院\nCATEGORIES:Health,ハッピー\nEND:VEVENT\n"
    u8"BEGIN:VEVENT\nDTSTART;TZID=Europe/Berlin:20240302T083000\nUID:A2\nSUMMARY:Bäckerei 〜 ¥100\nEND:VEVENT\n"
    u8"END:VCALENDAR\n";

struct LineCheck {
  int year, month, day, line;
  const char* text;  // UTF-8; "" for a free line
};

class BookImportTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(m_folder.Ok()); }

  bool Import(const std::string& calendar, ImportOptions options = ImportOptions()) {
    m_report.str("");
    m_summary = ImportSummary();
    m_error.clear();
    std::istringstream stream(calendar);
    return ImportCalendar(stream, m_folder.Path(""), options, m_report, m_summary, m_error);
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

  template <size_t kCount>
  void ExpectLines(const LineCheck (&checks)[kCount]) const {
    for (const LineCheck& c : checks) {
      EXPECT_EQ(Utf8(Month(c.year, c.month).Day(c.day).szLine[c.line]), c.text) << c.month << "/" << c.day;
    }
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
      {2024, 1, 20, 0, u8"10:30 Call with the team in Berlin about the 日程 for next quarter"},
      {2024, 2, 2, 0, ""},  // after UNTIL
      {2024, 2, 10, 0, u8"出張 大阪 (～2/12)"},
      {2024, 1, 2, 0, u8"09:00 朝会"},
      {2024, 1, 3, 0, ""},  // cancelled
      {2024, 1, 4, 0, u8"09:00 朝会"},
      {2024, 1, 9, 0, u8"22:00 夜行バス (～1/10)"},
      {2024, 3, 1, 0, u8"16:30 Dentist"},
      {2024, 3, 2, 0, u8"16:30 B?ckerei ～ \\100"},
  };
  ExpectLines(checks);
  MonthTable january = Month(2024, 1);
  EXPECT_EQ(Utf8(january.Day(5).szMemo), u8"議題:\r\n予算");
  EXPECT_EQ(Month(2024, 2).Day(10).nSeal[0], 12) << "出張";
  EXPECT_EQ(january.Day(9).nSeal[0], 5) << "旅行、レジャー";
  EXPECT_EQ(Month(2024, 3).Day(1).nSeal[0], 10) << "病院";
  EXPECT_EQ(Month(2024, 3).Day(1).nSeal[1], 1) << "ハッピー";
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

// A rewrite cut the month file short and left the whole copy: the import
// puts the copy back first, and adds to it.
TEST_F(BookImportTest, AMonthAnInterruptedSaveLeftIsRestoredBeforeItIsChanged) {
  MonthTable june;
  ClearMonth(june);
  SetDayLine(june.Day(2), 0, "kept in the copy");
  const std::string copy = FormatMonthFile(june, [] { return 30; });
  std::filesystem::create_directory(m_folder.Path("~saving"));
  m_folder.WriteAll(m_folder.Path("~saving/schedule2024_06.dat"), copy);
  m_folder.WriteAll(MonthPath(2024, 6), copy.substr(0, 60));
  ASSERT_TRUE(
      Import("BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20240601\r\nSUMMARY:x\r\n"
             "END:VEVENT\r\nEND:VCALENDAR\r\n"))
      << m_error;
  EXPECT_EQ(m_summary.failedMonths, 0) << m_report.str();
  EXPECT_STREQ("kept in the copy", Month(2024, 6).Day(2).szLine[0]);
  EXPECT_STREQ("x", Month(2024, 6).Day(1).szLine[0]);
  EXPECT_FALSE(std::filesystem::exists(m_folder.Path("~saving/schedule2024_06.dat")));
}

TEST_F(BookImportTest, RulesThatAreNotExpandedOrHaveNoEnd) {
  const char* calendar =
      "BEGIN:VCALENDAR\r\n"
      "BEGIN:VEVENT\r\nDTSTART:20240101T090000\r\nRRULE:FREQ=DAILY;BYHOUR=9,17\r\n"
      "SUMMARY:twice a day\r\nEND:VEVENT\r\n"
      "BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20230315\r\nRRULE:FREQ=YEARLY\r\nSUMMARY:birthday\r\nEND:VEVENT\r\n"
      "BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20240601\r\nRRULE:FREQ=YEARLY;COUNT=40000000000\r\nSUMMARY:y\r\n"
      "END:VEVENT\r\nEND:VCALENDAR\r\n";
  ImportOptions options;
  options.endlessUntil = {2025, 12};
  options.from = {2024, 1};
  ASSERT_TRUE(Import(calendar, options)) << m_error;
  EXPECT_EQ(m_summary.linesAdded, 5) << "the first date of the hourly rule, birthdays and y of 2024 and 2025";
  EXPECT_EQ(m_summary.outsideRange, 1) << "the birthday of 2023";
  EXPECT_NE(m_report.str().find("warning: line 4: RRULE with BYHOUR is not expanded"), std::string::npos);
  EXPECT_NE(m_report.str().find("warning: line 9: RRULE has no end; its dates are imported up to 2025-12"),
            std::string::npos)
      << m_report.str();
  EXPECT_NE(m_report.str().find("warning: line 14: RRULE's COUNT reaches past the year 9999; its dates are imported "
                                "up to 2025-12"),
            std::string::npos);
}

// The recurrence parts that common applications write, and events without a summary.
const char kRecurrenceShapes[] =
    u8"BEGIN:VCALENDAR\r\nBEGIN:VTIMEZONE\r\nTZID:Asia/Tokyo\r\nEND:VTIMEZONE\r\n"
    u8"BEGIN:VEVENT\r\nUID:set\r\nDTSTART;TZID=Asia/Tokyo:20240401T100000\r\nRRULE:FREQ=WEEKLY;BYDAY=MO, TH;COUNT=2\r\n"
    u8"RRULE:FREQ=MONTHLY;UNTIL=20240601T010000Z\r\nEXDATE;TZID=Asia/Tokyo:20240501T100000, 20240601T100000\r\n"
    u8"RDATE;VALUE=DATE:20240403\r\nRDATE;TZID=Asia/Tokyo:20240405T150000\r\n"
    u8"RDATE;VALUE=PERIOD:20240406T220000/PT4H,20240407T090000/20240409T090000\r\nSUMMARY:組\r\nEND:VEVENT\r\n"
    u8"BEGIN:VEVENT\r\nDTSTART:20240410\r\nLOCATION:会議室 A\r\nDESCRIPTION:要点\r\nEND:VEVENT\r\n"
    u8"BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20240411\r\nDESCRIPTION:一行目\\n二行目\r\nEND:VEVENT\r\n"
    u8"BEGIN:VEVENT\r\nDTSTART:20240412T080000\r\nSUMMARY:\r\nEND:VEVENT\r\n"
    u8"END:VCALENDAR\r\n";

TEST_F(BookImportTest, RecurrencePartsAndEventsWithoutSummary) {
  ASSERT_TRUE(Import(kRecurrenceShapes)) << m_error;
  EXPECT_EQ(m_summary.warnings, 0) << m_report.str();
  ASSERT_TRUE(Import("BEGIN:VEVENT\r\nDTSTART:20240413\r\nSUMMARY:bare\r\nEND:VEVENT\r\n")) << m_error;
  const LineCheck checks[] = {
      {2024, 4, 1, 0, u8"10:00 組"},
      {2024, 4, 3, 0, u8"組"},
      {2024, 4, 4, 0, u8"10:00 組"},
      {2024, 4, 5, 0, u8"15:00 組"},
      {2024, 4, 6, 0, u8"22:00 組 (～4/7)"},
      {2024, 4, 7, 0, u8"09:00 組 (～4/9)"},
      {2024, 5, 1, 0, ""},  // EXDATE
      {2024, 6, 1, 0, ""},  // UNTIL
      {2024, 4, 10, 0, u8"会議室 A"},
      {2024, 4, 11, 0, u8"一行目"},
      {2024, 4, 12, 0, u8"08:00 （無題）"},
      {2024, 4, 13, 0, u8"bare"},
  };
  ExpectLines(checks);
  EXPECT_EQ(Utf8(Month(2024, 4).Day(11).szMemo), u8"一行目\r\n二行目");
}

// Two sound events around a flaw.
std::string Sound(const std::string& flaw, const std::string& tail = "END:VCALENDAR\r\n") {
  return "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20240101\r\nSUMMARY:first\r\nEND:VEVENT\r\n" + flaw +
         "BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20240102\r\nSUMMARY:second\r\nEND:VEVENT\r\n" + tail;
}

std::string Event(const std::string& properties) {
  return "BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20240103\r\nSUMMARY:third\r\n" + properties + "END:VEVENT\r\n";
}

struct LenientCase {
  const char* what;
  std::string calendar;
  const char* warning;  // the start of the only one
  int linesAdded;
};

const LenientCase kLenientCases[] = {
    {"no colon", Sound("X-APPLE-RADIUS=49.91\r\n"), "line 6: a broken content line: the property X-APPLE-RADIUS", 2},
    {"stray property", Sound(Event("SUMMARY=stray\r\n")), "line 9: a broken content line", 3},
    {"open quote", Sound(Event("ORGANIZER;CN=\"Doe, John:mailto:j@x\r\n")), "line 9: a broken content line", 3},
    {"not UTF-8", Sound(Event("LOCATION:\xFF\r\n")), "line 9: a broken content line: it is not UTF-8", 3},
    {"fold first", Sound("\r\n continued\r\n"), "line 7: a folded line continues no content line", 2},
    {"no DTSTART", Sound("BEGIN:VEVENT\r\nSUMMARY:lost\r\nEND:VEVENT\r\n"),
     "line 6: there is no DTSTART; the event \"lost\" of line 6 is skipped", 2},
    {"no such date", Sound("BEGIN:VEVENT\r\nSUMMARY:lost\r\nDTSTART:20230229\r\nEND:VEVENT\r\n"),
     "line 8: DTSTART cannot be read (20230229); the event \"lost\" of line 6 is skipped", 2},
    {"broken rule", Sound(Event("RRULE:FREQ=DAILY;COUNT=0\r\n")),
     "line 9: RRULE is broken: COUNT=0 cannot be read; the event \"third\" of line 6 is skipped", 2},
    {"duration", Sound(Event("DURATION:P1X\r\n")), "line 9: DURATION cannot be read (P1X)", 3},
    {"exception list", Sound(Event("RRULE:FREQ=DAILY;COUNT=3\r\nEXDATE:20240104,2024\r\n")),
     "line 10: EXDATE cannot be read (20240104,2024); only the dates that can be read are left out", 4},
    {"extra dates", Sound(Event("RDATE:20240110,x\r\n")), "line 9: RDATE cannot be read (20240110,x)", 4},
    {"moved date", Sound(Event("RECURRENCE-ID:x\r\n")), "line 9: RECURRENCE-ID cannot be read (x)", 3},
    {"misspelt END", Sound("BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20240103\r\nSUMMARY:third\r\nEND:VEVNT\r\n"),
     "line 9: END:VEVNT is taken for the end of the VEVENT begun at line 6", 3},
    {"END of nothing", Sound("END:VTODO\r\n"), "line 6: END:VTODO ends nothing that is open", 2},
    {"never ended", Sound("BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20240103\r\nSUMMARY:third\r\n"),
     "line 6: not ended: the VEVENT begun here; BEGIN:VEVENT of line 9 ends it", 3},
    {"cut short", Sound("", "BEGIN:VEVENT\r\nDTSTART:20240104\r\nSUMMARY:cut\r\nBEGIN:VALARM\r\n"),
     "line 13: not ended: the VALARM begun here, the VEVENT of line 10, the VCALENDAR of line 1; the end", 3},
    {"outside", Sound("", "END:VCALENDAR\r\nX-TRAILER:1\r\n"), "line 11: the property X-TRAILER stands outside", 2},
    {"empty parameter",
     Sound("BEGIN:VEVENT\r\nDTSTART;;VALUE=DATE-TIME:20240103T093000\r\nSUMMARY:x\r\nEND:VEVENT\r\n"),
     "line 7: an empty parameter of DTSTART is skipped", 3},
};

TEST_F(BookImportTest, AFlawCostsWhatItBreaksAndIsOneWarningNamingItsLine) {
  for (const LenientCase& c : kLenientCases) {
    ASSERT_TRUE(Import(c.calendar, ImportOptions{{2024, 1}, {2024, 1}, {2024, 1}, true})) << c.what << ": " << m_error;
    const std::string report = m_report.str();
    EXPECT_EQ(report.rfind(std::string("warning: ") + c.warning, 0), 0u) << c.what << ": " << report;
    EXPECT_EQ(m_summary.warnings, 1) << c.what << ": " << report;
    EXPECT_EQ(m_summary.linesAdded, c.linesAdded) << c.what << ": " << report;
  }
  ASSERT_TRUE(Import(Sound(Event("RRULE:FREQ=DAILY;COUNT=0\r\n") + "BEGIN:VEVENT\r\nEND:VEVENT\r\n")));
  EXPECT_NE(FormatImportSummary(m_summary, false)
                .find("2 event(s) skipped: 1 without a DTSTART that can be read, 1 "
                      "with an RRULE that cannot be read."),
            std::string::npos);
  EXPECT_EQ(m_summary.linesAdded, 2);
}

TEST_F(BookImportTest, AFileThatIsNoCalendarIsRefusedAndNothingIsWritten) {
  const char* const kNoCalendars[] = {"hello\r\nworld\r\n", "BEGIN:VCARD\r\nFN:x\r\nEND:VCARD\r\n", "",
                                      " BEGIN:VCALENDAR\r\n", "\x89PNG\r\n\x1A\n\0\0\0\rIHDR"};
  for (const char* calendar : kNoCalendars) {
    EXPECT_FALSE(Import(calendar)) << calendar;
    EXPECT_EQ(m_error.rfind("line 1: not an iCalendar file", 0), 0u) << calendar << ": " << m_error;
    EXPECT_EQ(m_report.str(), "");
  }
  EXPECT_TRUE(m_folder.Names().empty());
}

TEST_F(BookImportTest, TimedLinesKeepTheirTimeThroughTheExport) {
  MonthTable table;
  ClearMonth(table);
  SetDayLine(table.Day(5), 1, "9:30-11:00 打ち合わせ");
  SetDayLine(table.Day(31), 0, "23:30 〆");
  WriteMonth(2024, 1, table);
  WriteMonth(9999, 12, table);
  ASSERT_TRUE(
      Import(u8"BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART;TZID=Asia/Tokyo:20240105T100000\r\n"
             u8"DTEND;TZID=Asia/Tokyo:20240105T120000\r\nSUMMARY:会議\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n"));
  std::ostringstream calendar;
  std::ostringstream warnings;
  ExportSummary exported;
  ASSERT_TRUE(ExportBook(m_folder.Path(""), ExportOptions(), calendar, warnings, exported));
  const char* const kTimes[] = {"DTSTART;TZID=Asia/Tokyo:20240105T100000\r\nDTEND;TZID=Asia/Tokyo:20240105T110000",
                                "DTSTART;TZID=Asia/Tokyo:20240105T093000\r\nDTEND;TZID=Asia/Tokyo:20240105T110000",
                                "DTSTART;TZID=Asia/Tokyo:20240131T233000\r\nDTEND;TZID=Asia/Tokyo:20240201T003000",
                                "DTSTART;TZID=Asia/Tokyo:99991231T233000\r\nDURATION:PT60M"};
  for (const char* time : kTimes) EXPECT_NE(calendar.str().find(time), std::string::npos) << time;
  CMonthFileScratch copy;
  ASSERT_TRUE(copy.Ok());
  std::ostringstream report;
  ImportSummary summary;
  std::istringstream written(calendar.str());
  ASSERT_TRUE(ImportCalendar(written, copy.Path(""), ImportOptions(), report, summary, m_error)) << m_error;
  EXPECT_EQ(summary.warnings, 0) << report.str();
  for (const char* name : {"schedule2024_01.dat", "schedule9999_12.dat"}) {
    EXPECT_EQ(copy.ReadAll(copy.Path(name)), m_folder.ReadAll(m_folder.Path(name))) << name;
  }
  EXPECT_NE(copy.ReadAll(copy.Path("schedule2024_01.dat")).find("10:00 会議"), std::string::npos);
}

// A calendar whose reading meets an exhausted heap on its n-th block, as a
// file read into memory that has run out would.
class CExhaustedHeapBuffer : public std::stringbuf {
 public:
  CExhaustedHeapBuffer(const std::string& text, int failingRead) : std::stringbuf(text), m_left(failingRead) {}

 protected:
  std::streamsize xsgetn(char* into, std::streamsize count) override {
    if (--m_left == 0) throw std::bad_alloc();
    return std::stringbuf::xsgetn(into, count);
  }

 private:
  int m_left;
};

TEST_F(BookImportTest, MemoryThatRunsOutStopsTheImportAndNothingIsWritten) {
  const std::string calendar = Sound(Event(""));
  for (int failingRead : {1, 3}) {  // the outline's reading, the events'
    CExhaustedHeapBuffer buffer(calendar, failingRead);
    std::istream stream(&buffer);
    m_report.str("");
    EXPECT_FALSE(ImportCalendar(stream, m_folder.Path(""), ImportOptions(), m_report, m_summary, m_error));
    EXPECT_EQ(m_error, "there is not enough memory for the import; --from and --to can narrow it") << failingRead;
    EXPECT_TRUE(m_folder.Names().empty()) << failingRead;
  }
  CExhaustedHeapBuffer healthy(calendar, 0);
  std::istream stream(&healthy);
  EXPECT_TRUE(ImportCalendar(stream, m_folder.Path(""), ImportOptions(), m_report, m_summary, m_error)) << m_error;
  EXPECT_EQ(m_summary.linesAdded, 3);
}

}  // namespace
