#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "export/BookDay.h"
#include "export/CsvWriter.h"
#include "export/ICalendarWriter.h"

namespace {

using Event = std::map<std::string, std::string>;  // property name (without parameters) to value

// The events of a calendar, read back the way a calendar program unfolds them.
std::vector<Event> ReadEvents(std::string text) {
  for (size_t at; (at = text.find("\r\n ")) != std::string::npos;) text.erase(at, 3);
  std::vector<Event> events;
  std::istringstream lines(text);
  std::string line;
  bool inEvent = false;
  while (std::getline(lines, line)) {
    EXPECT_FALSE(line.empty() || line.back() != '\r') << "a line without CR LF: " << line;
    line.pop_back();
    if (line == "BEGIN:VEVENT") {
      events.emplace_back();
      inEvent = true;
    } else if (line == "END:VEVENT") {
      inEvent = false;
    } else if (inEvent) {
      size_t colon = line.find(':');
      std::string name = line.substr(0, std::min(colon, line.find(';')));
      events.back()[name] = line.substr(colon + 1);
    }
  }
  return events;
}

struct DayInput {
  BookDate date;
  SealCode seals[kSealSlots];
  const char* lines[kLineCount];
  const char* memo;
};

BookDay MakeDay(const DayInput& day, DayConversionNotes& notes) {
  DayRecord record{};
  for (int slot = 0; slot < kSealSlots; ++slot) record.nSeal[slot] = day.seals[slot];
  for (int line = 0; line < kLineCount; ++line) SetDayLine(record, line, day.lines[line]);
  SetDayMemo(record, day.memo);
  return ConvertDay(day.date, record, notes);
}

std::string Calendar(const std::vector<DayInput>& days) {
  std::ostringstream out;
  CICalendarWriter writer(out, "9.8.7", *FindBookTimeZone(kDefaultTimeZone));
  writer.Begin();
  DayConversionNotes notes;
  for (const DayInput& day : days) writer.Write(MakeDay(day, notes));
  writer.End();
  return out.str();
}

TEST(ConvertDay, SealsLinesAndWhatCouldNotBeCarried) {
  DayConversionNotes notes;
  BookDay day =
      MakeDay({{2010, 3, 5}, {6, 0, 20, 6}, {"会議\r\n資料", "", "x\x01y", "", "末尾\n"}, "メモ\r\n\r\n"}, notes);
  EXPECT_EQ(day.sealNames[0], u8"飲み会、パーティ");
  EXPECT_EQ(day.sealNames[1], "");
  EXPECT_EQ(day.sealNames[2], "") << "a code without a row has no name";
  EXPECT_EQ(day.sealNames[3], u8"飲み会、パーティ");
  EXPECT_EQ(day.Categories(), std::vector<std::string>{u8"飲み会、パーティ"});
  EXPECT_EQ(notes.unnamedSeals, std::vector<SealCode>{20});
  EXPECT_EQ(day.lines[0], u8"会議\n資料");
  EXPECT_EQ(day.lines[2], u8"x\uFFFDy");
  EXPECT_EQ(day.lines[4], u8"末尾") << "the legacy line end is no part of the entry";
  EXPECT_EQ(day.memo, u8"メモ");
  EXPECT_EQ(notes.replacedSequences, 1u);
  EXPECT_TRUE(day.HasContent());
}

TEST(ConvertDay, AnEmptyOrUnnamedOnlyDayHasNoContent) {
  DayConversionNotes notes;
  EXPECT_FALSE(MakeDay({{2010, 3, 5}, {0, 0, 0, 0}, {"", "", "", "", ""}, ""}, notes).HasContent());
  EXPECT_FALSE(MakeDay({{2010, 3, 5}, {37, 0, 0, 0}, {"", "", "", "", ""}, "\r\n"}, notes).HasContent());
}

TEST(ICalendarWriter, OneEventPerLineAndMemoWithTheDaysSeals) {
  std::vector<Event> events =
      ReadEvents(Calendar({{{2010, 3, 5}, {47, 0, 6, 0}, {"朝会, 定例", "", "a;b\\c\r\n二行目", "", ""}, "ﾒﾓ"}}));
  ASSERT_EQ(events.size(), 3u);
  const char* categories = u8"電話,飲み会、パーティ";
  EXPECT_EQ(events[0]["UID"], "20100305-line1@plannix");
  EXPECT_EQ(events[0]["SUMMARY"], u8"朝会\\, 定例");
  EXPECT_EQ(events[0].count("DESCRIPTION"), 0u) << "a one-line entry needs no description";
  EXPECT_EQ(events[0]["CATEGORIES"], categories);
  EXPECT_EQ(events[0]["X-PLANNIX-SEALS"], "47,0,6,0") << "the slots that CATEGORIES cannot carry";
  EXPECT_EQ(events[1]["UID"], "20100305-line3@plannix");
  EXPECT_EQ(events[1]["SUMMARY"], "a\\;b\\\\c");
  EXPECT_EQ(events[1]["DESCRIPTION"], u8"a\\;b\\\\c\\n二行目");
  EXPECT_EQ(events[2]["UID"], "20100305-memo@plannix");
  EXPECT_EQ(events[2]["SUMMARY"], u8"ﾃﾞｲﾘｰﾒﾓ");
  EXPECT_EQ(events[2]["DESCRIPTION"], u8"ﾒﾓ");
  EXPECT_EQ(events[2]["CATEGORIES"], categories);
  for (Event& event : events) {
    EXPECT_EQ(event["DTSTART"], "20100305");
    EXPECT_EQ(event["DTEND"], "20100306");
    EXPECT_EQ(event["DTSTAMP"], "20100305T000000Z");
  }
}

TEST(ICalendarWriter, ADayWithOnlySealsIsNamedByThem) {
  std::vector<Event> events = ReadEvents(Calendar({{{2010, 3, 7}, {0, 28, 20, 33}, {"", "", "", "", ""}, ""},
                                                   {{2010, 3, 8}, {0, 0, 0, 0}, {"", "", "", "", ""}, ""}}));
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0]["UID"], "20100307-seals@plannix");
  EXPECT_EQ(events[0]["SUMMARY"], u8"ＣＤ・ＶＤレンタル / ごきげん♪");
  EXPECT_EQ(events[0]["CATEGORIES"], u8"ＣＤ・ＶＤレンタル,ごきげん♪");
  EXPECT_EQ(events[0]["X-PLANNIX-SEALS"], "0,28,0,33") << "code 20 has no seal";
}

struct EndCase {
  BookDate date;
  const char* end;  // nullptr: no DTEND
};

const EndCase kEndCases[] = {
    {{2010, 12, 31}, "20110101"}, {{2011, 2, 28}, "20110301"}, {{2012, 2, 28}, "20120229"},
    {{1900, 2, 28}, "19000301"},  {{2000, 2, 29}, "20000301"}, {{9999, 12, 31}, nullptr},
};

TEST(ICalendarWriter, AnAllDayEventEndsTheNextDay) {
  for (const EndCase& c : kEndCases) {
    std::vector<Event> events = ReadEvents(Calendar({{c.date, {0, 0, 0, 0}, {"x", "", "", "", ""}, ""}}));
    ASSERT_EQ(events.size(), 1u);
    if (c.end == nullptr) {
      EXPECT_EQ(events[0].count("DTEND"), 0u);
    } else {
      EXPECT_EQ(events[0]["DTEND"], c.end) << events[0]["DTSTART"];
    }
  }
}

struct TimedCase {
  const char* line;  // as the month file holds it
  const char* entry;
  const char* start;
  const char* end;  // "": no DTEND
  const char* summary;
};

// The wording stays in the event; a line due by a time is a moment at that time.
const TimedCase kTimedCases[] = {
    {"午後2時から4時 打合せ", u8"午後2時から4時 打合せ", "20100305T140000", "20100305T160000", u8"打合せ"},
    {"面談(11時～)", u8"面談(11時～)", "20100305T110000", "20100305T120000", u8"面談"},
    {"夜11時～深夜1時 夜勤", u8"夜11時～深夜1時 夜勤", "20100305T230000", "20100306T010000", u8"夜勤"},
    {"17時まで 提出", u8"17時まで 提出", "20100305T170000", "", u8"提出"},
    {"10:00-10:00 x", "10:00-10:00 x", "20100305T100000", "20100306T100000", "x"}};

TEST(ICalendarWriter, TimedLinesAsWritten) {
  for (const TimedCase& c : kTimedCases) {
    std::vector<Event> events = ReadEvents(Calendar({{{2010, 3, 5}, {0, 0, 0, 0}, {c.line, "", "", "", ""}, ""}}));
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0]["DTSTART"], c.start) << c.entry;
    EXPECT_EQ(events[0].count("DTEND") != 0 ? events[0]["DTEND"] : "", c.end) << c.entry;
    EXPECT_EQ(events[0]["SUMMARY"], c.summary) << c.entry;
    EXPECT_EQ(events[0]["X-PLANNIX-ENTRY"], c.entry);
  }
}

TEST(ICalendarWriter, CalendarFrameWithTheBooksTimeZone) {
  std::string text = Calendar({});
  EXPECT_EQ(text,
            "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Plannix//Plannix 9.8.7//JA\r\nCALSCALE:GREGORIAN\r\n"
            "BEGIN:VTIMEZONE\r\nTZID:Asia/Tokyo\r\nBEGIN:STANDARD\r\nDTSTART:19700101T000000\r\n"
            "TZOFFSETFROM:+0900\r\nTZOFFSETTO:+0900\r\nTZNAME:JST\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n"
            "END:VCALENDAR\r\n");
}

struct CsvFieldCase {
  const char* text;
  const char* field;
};

const CsvFieldCase kCsvFieldCases[] = {
    {"", ""},
    {"plain; with \\ and ;", "plain; with \\ and ;"},
    {"a,b", "\"a,b\""},
    {"say \"hi\"", "\"say \"\"hi\"\"\""},
    {"two\nlines", "\"two\r\nlines\""},
    {u8"全角，カンマ", u8"全角，カンマ"},
    // Formula-like starts are text to a spreadsheet; the iCalendar keeps them as typed.
    {u8"=HYPERLINK(\"http://x\";\"詳細\")", u8"\"'=HYPERLINK(\"\"http://x\"\";\"\"詳細\"\")\""},
    {"+81-3-1234-5678", "'+81-3-1234-5678"},
    {"-5 kg", "'-5 kg"},
    {u8"@会議室", u8"'@会議室"},
    {"\tcmd", "'\tcmd"},
    {"\rcmd", "\"'\rcmd\""},
    {"\nsecond line", "\"'\r\nsecond line\""},
    {"a=1", "a=1"},
    {"'quoted", "'quoted"},
};

TEST(CsvWriter, FieldCases) {
  for (const CsvFieldCase& c : kCsvFieldCases) EXPECT_EQ(CsvField(c.text), c.field) << c.text;
}

TEST(CsvWriter, ByteOrderMarkHeaderAndOneRowPerDay) {
  std::ostringstream out;
  CCsvWriter writer(out);
  writer.Begin();
  DayConversionNotes notes;
  writer.Write(MakeDay({{2010, 3, 5}, {0, 47, 0, 6}, {"a,b", "", "", "", "e"}, "メモ\r\n2"}, notes));
  writer.Write(MakeDay({{987, 11, 1}, {0, 0, 0, 0}, {"", "", "", "", ""}, "x"}, notes));
  writer.End();
  EXPECT_EQ(out.str(),
            u8"\uFEFF"
            "date,seal1,seal2,seal3,seal4,line1,line2,line3,line4,line5,memo\r\n"
            u8"2010-03-05,,電話,,飲み会、パーティ,\"a,b\",,,,e,\"メモ\r\n2\"\r\n"
            "0987-11-01,,,,,,,,,,x\r\n");
}

}  // namespace
