#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "search/LineSplitter.h"
#include "search/ScheduleSearch.h"
#include "search/SearchMessages.h"
#include "SearchTestSupport.h"

namespace {

constexpr int kText = 0;
constexpr int kSeal = 2;

const std::string kHeader = "QL3\n";

std::string EmptyDay(int day) {
  char text[32];
  std::snprintf(text, sizeof text, "%02d,0,0,0,0,,,,,,,\n", day);
  return text;
}

// The record of the documented example, fifth in its file.
const std::string kExampleMonth =
    kHeader + EmptyDay(1) + EmptyDay(2) + EmptyDay(3) + EmptyDay(4) + "05,6,15,0,0,A\\,B,x\\\\y,,,,W,\n";

// One record per edge case, at the position given in the comment.
const std::string kEdgeMonth = kHeader +
                               "01,0,0,0,0,apple,,,,,,\n"                      // 1
                               "02,0,0,0,0,,banana,,,,,\n"                     // 2
                               "03,6,0,0,0,,,,,,,\n"                           // 3: seal 6, no text
                               "04,0,0,0,0,a\\,b,,,,,,\n"                      // 4: comma typed
                               "05,0,0,0,15,,,,,,line1\r\n\r\nline3,\n"        // 5: slot 4, memo with an empty line
                               "06,0,0,0,0,\x83\x41,,,,,,\n"                   // 6: a katakana whose trail byte is A
                               "07,0,0,0,0,,,,,has 6,,\n"                      // 7: a 6 in the text
                               "08,0,0,0,0,x y,,,,,,\n"                        // 8: a space in the text
                               "09,0,0,0,0,,,,,,,\n";                          // 9: empty

class ScheduleSearchTest : public ::testing::Test {
 protected:
  std::vector<std::string> Search(int kind, const char* query, const std::vector<std::string>& entries,
                                  size_t cancelAfterLines = SIZE_MAX) {
    CRecordingSink sink(cancelAfterLines);
    RunScheduleSearch(kind, query, m_folder.Prefix(), [&] {
      ++m_listings;
      return entries;
    }, sink);
    return sink.Lines();
  }

  CTempFolder m_folder;
  int m_listings = 0;
};

std::string TextHit(const std::string& date, const std::string& text) {
  return date + " \t <\xBD\xB9\xBC\xDE\xAD\xB0\xD9> \t " + text;  // <ｽｹｼﾞｭｰﾙ>
}

std::string SealHit(const std::string& date, const std::string& names) {
  return date + " \t <\xBC\xB0\xD9> \t " + names;  // <ｼｰﾙ>
}

// The day numbers of the text hits among lines.
std::vector<int> HitDays(const std::vector<std::string>& lines) {
  std::vector<int> days;
  for (const std::string& line : lines) days.push_back(std::stoi(line.substr(8, 2)));
  return days;
}

TEST_F(ScheduleSearchTest, DocumentedExamplesByteForByte) {
  m_folder.Write("schedule2010_03.dat", kExampleMonth);
  const std::vector<std::string> entries = {"schedule2010_03.dat"};

  EXPECT_EQ(std::vector<std::string>{TextHit("2010/03/05", "A,B\tx\\y\t\t\t\tW\t\n")},
            Search(kText, "B", entries));
  EXPECT_EQ(std::vector<std::string>{SealHit("2010/03/05", "[飲み会、パーティ][映画、ビデオ鑑賞][（シールなし）][（シールなし）]")},
            Search(kSeal, "170", entries));
}

struct EdgeCase {
  const char* name;
  int kind;
  const char* query;
  std::vector<int> days;
};

const EdgeCase kEdgeCases[] = {
    {"twoWordsFindEither", kText, "apple banana", {1, 2}},
    {"trailingSpaceFindsEveryDay", kText, "apple ", {1, 2, 3, 4, 5, 6, 7, 8, 9}},
    {"emptyQueryFindsEveryDay", kText, "", {1, 2, 3, 4, 5, 6, 7, 8, 9}},
    {"leadingSpaceIsOneString", kText, " y", {8}},
    {"doubleSpaceLeavesTheRestWhole", kText, "apple  y", {1, 8}},
    {"sealCodesAreNotText", kText, "6", {7}},
    {"typedCommaIsFound", kText, "a,b", {4}},
    {"noMatchOnTrailByte", kText, "A", {}},
    {"wholeCharacterMatches", kText, "\x83\x41", {6}},
    {"noCaseFolding", kText, "APPLE", {}},
    {"memoAcrossLines", kText, "line1\nline3", {5}},
    {"sealInSlot4", kSeal, "170", {5}},
    {"sealInSlot1", kSeal, "161", {3}},
    {"sealQueryWithSpaceAndSign", kSeal, "  +161x", {3}},
};

TEST_F(ScheduleSearchTest, EdgeCasesFindTheirDays) {
  m_folder.Write("schedule2010_03.dat", kEdgeMonth);
  for (const EdgeCase& c : kEdgeCases) {
    EXPECT_EQ(c.days, HitDays(Search(c.kind, c.query, {"schedule2010_03.dat"}))) << c.name;
  }
}

TEST_F(ScheduleSearchTest, MemoEmptyLineIsDroppedFromTheHitText) {
  m_folder.Write("schedule2010_03.dat", kEdgeMonth);
  EXPECT_EQ(std::vector<std::string>{TextHit("2010/03/05", "\t\t\t\t\tline1\nline3\t\n")},
            Search(kText, "line3", {"schedule2010_03.dat"}));
}

TEST_F(ScheduleSearchTest, LegacyAndEmptyFilesGiveOneErrorLineEachInListOrder) {
  m_folder.Write("schedule2009_01.dat", kHeader + "01,0,0,0,0,hit,,,,,,\n");
  m_folder.Write("schedule2009_02.dat", "01 6 0 3 hit b c d e\n02 0 0 0 hit\n");
  m_folder.Write("schedule2009_03.dat", "");
  m_folder.Write("schedule2009_04.dat", kHeader + EmptyDay(1) + "02,0,0,0,0,,hit,,,,,\n");
  std::vector<std::string> expected = {
      TextHit("2009/01/01", "hit\t\t\t\t\t\t\n"), kLegacyDataMessage, kLegacyDataMessage,
      TextHit("2009/04/02", "\thit\t\t\t\t\t\n")};
  EXPECT_EQ(expected, Search(kText, "hit",
                             {"schedule2009_01.dat", "schedule2009_02.dat", "schedule2009_03.dat",
                              "schedule2009_04.dat"}));
}

// More files than the search works ahead, of every kind, some repeated in
// the list: every file's lines come whole and in list order, whichever
// thread read and scanned it.
TEST_F(ScheduleSearchTest, ManyFilesGiveTheirLinesInListOrder) {
  std::vector<std::string> entries;
  std::vector<std::string> expected;
  for (int i = 0; i < 150; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "schedule%04d_%02d.dat", 1900 + i / 12, i % 12 + 1);
    std::string date = std::string(name).substr(8, 4) + "/" + std::string(name).substr(13, 2);
    std::string bytes = kHeader;
    switch (i % 5) {
      case 0:
        bytes += EmptyDay(1) + "02,0,0,0,0,w" + std::to_string(i) + ",,,,,,\n";
        expected.push_back(TextHit(date + "/02", "w" + std::to_string(i) + "\t\t\t\t\t\t\n"));
        break;
      case 1:
        bytes = "01 0 0 0 w\n";
        expected.push_back(kLegacyDataMessage);
        break;
      case 2:
        bytes += EmptyDay(1);
        break;
      case 3:  // larger than the search holds: scanned as it is read
        bytes += "01,0,0,0,0,,,,,," + std::string(kMaxLinePiece, 'm') + ",\n02,0,0,0,0,,,,,,w,\n";
        expected.push_back(TextHit(date + "/02", "\t\t\t\t\tw\t\n"));
        break;
      default:
        continue;  // listed, never written: cannot be opened
    }
    m_folder.Write(name, bytes);
    entries.push_back(name);
    if (i % 40 == 0) {  // the same file again, read again
      entries.push_back(name);
      expected.push_back(expected.back());
    }
  }
  for (int i = 4; i < 150; i += 5) entries.insert(entries.begin() + i / 2, "missing" + std::to_string(i) + ".dat");
  EXPECT_EQ(expected, Search(kText, "w", entries));
}

struct HeaderCase {
  const char* name;
  std::string header;
  bool current;
};

// A CR LF header and a legacy first line are checked in their own tests.
const HeaderCase kHeaderCases[] = {
    {"lf", "QL3\n", true},
    {"trailingBytes", "QL3 \n", false},
    {"lowerCase", "ql3\n", false},
    {"loneCarriageReturnIsNoLineEnd", "QL3\r", false},
};

TEST_F(ScheduleSearchTest, OnlyTheExactHeaderLineIsCurrentData) {
  for (const HeaderCase& c : kHeaderCases) {
    m_folder.Write("schedule2010_01.dat", c.header + "01,0,0,0,0,a,,,,,,\n");
    std::vector<std::string> expected = {c.current ? TextHit("2010/01/01", "a\t\t\t\t\t\t\n")
                                                   : std::string(kLegacyDataMessage)};
    EXPECT_EQ(expected, Search(kText, "a", {"schedule2010_01.dat"})) << c.name;
  }
}

TEST_F(ScheduleSearchTest, CrLfAndLfFilesGiveTheSameLines) {
  std::string crlf;
  for (size_t i = 0; i < kEdgeMonth.size(); ++i) {
    if (kEdgeMonth[i] == '\n' && (i == 0 || kEdgeMonth[i - 1] != '\r')) crlf += '\r';
    crlf += kEdgeMonth[i];
  }
  m_folder.Write("schedule2010_03.dat", kEdgeMonth);
  m_folder.Write("schedule2010_04.dat", crlf);
  std::vector<std::string> lf = Search(kText, "", {"schedule2010_03.dat"});
  std::vector<std::string> fromCrLf = Search(kText, "", {"schedule2010_04.dat"});
  ASSERT_EQ(9u, lf.size());
  for (std::string& line : fromCrLf) line.replace(5, 2, "03");
  EXPECT_EQ(lf, fromCrLf);
}

// Only the last entry is read: the starred ones are skipped, those that cannot
// be opened passed over without a line, and the blanks before a name dropped.
TEST_F(ScheduleSearchTest, EntriesAreTrimmedAndStarredOrUnopenableOnesSkipped) {
  m_folder.Write("schedule2010_03.dat", kHeader + "01,0,0,0,0,w,,,,,,\n");
  m_folder.Write("*schedule2010_04.dat", kHeader + "01,0,0,0,0,w,,,,,,\n");
  std::filesystem::create_directory(m_folder.Prefix() + "sub");
  std::vector<std::string> expected = {TextHit("2010/03/01", "w\t\t\t\t\t\t\n")};
  EXPECT_EQ(expected, Search(kText, "w", {"*schedule2010_04.dat", "  *schedule2010_04.dat", "missing.dat", "sub",
                                          "", " \tschedule2010_03.dat"}));
}

TEST_F(ScheduleSearchTest, ShortFileNamesGiveOnlyTheBytesTheyHave) {
  const std::string month = kHeader + "01,0,0,0,0,w,,,,,,\n";
  const struct {
    const char* name;
    const char* date;
  } cases[] = {
      {"s", "//01"},
      {"schedule", "//01"},
      {"schedule20", "20//01"},
      {"schedule2010_", "2010//01"},
      {"schedule2010_0", "2010/0/01"},
      {"schedule2010_03", "2010/03/01"},
  };
  for (const auto& c : cases) {
    m_folder.Write(c.name, month);
    EXPECT_EQ(std::vector<std::string>{TextHit(c.date, "w\t\t\t\t\t\t\n")}, Search(kText, "w", {c.name}))
        << c.name;
  }
}

TEST_F(ScheduleSearchTest, SealSearchWithoutAChosenSealReadsNothing) {
  m_folder.Write("schedule2010_03.dat", kEdgeMonth);
  // 2 is what a cancelled picker answers: no row has that bitmap id.
  for (const char* query : {"0", "", "abc", "2", "-161", "99999999999"}) {
    m_listings = 0;
    EXPECT_EQ(std::vector<std::string>{kChooseSealMessage}, Search(kSeal, query, {"schedule2010_03.dat"}))
        << query;
    EXPECT_EQ(0, m_listings) << query;
  }
}

TEST_F(ScheduleSearchTest, StoredSealCodesWithoutARowHaveEmptyNames) {
  m_folder.Write("schedule2010_03.dat", kHeader + "01,6,20,99999999999,x,,,,,,,\n");
  EXPECT_EQ(std::vector<std::string>{SealHit("2010/03/01", "[飲み会、パーティ][][][（シールなし）]")},
            Search(kSeal, "161", {"schedule2010_03.dat"}));
}

TEST_F(ScheduleSearchTest, UnknownKindFailsAtTheFirstRecordOfTheFirstCurrentFile) {
  m_folder.Write("a_legacy.dat", "01 0 0 0 a\n");
  m_folder.Write("b_header_only.dat", kHeader);
  m_folder.Write("c_current.dat", kHeader + "01,0,0,0,0,\n" + "a,,,,,,\n" + EmptyDay(2));
  m_folder.Write("d_current.dat", kHeader + EmptyDay(1));
  std::vector<std::string> expected = {kLegacyDataMessage, kSearchFailedMessage};
  EXPECT_EQ(expected, Search(1, "a", {"a_legacy.dat", "b_header_only.dat", "c_current.dat", "d_current.dat"}));
  EXPECT_EQ(std::vector<std::string>{}, Search(1, "a", {"b_header_only.dat"}));
}

TEST_F(ScheduleSearchTest, CancelStopsBeforeTheNextLine) {
  m_folder.Write("schedule2010_03.dat", kEdgeMonth);
  m_folder.Write("schedule2010_04.dat", kEdgeMonth);
  std::vector<std::string> lines = Search(kText, "", {"schedule2010_03.dat", "schedule2010_04.dat"}, 2);
  EXPECT_EQ((std::vector<int>{1, 2}), HitDays(lines));
}

TEST_F(ScheduleSearchTest, CancelStopsBeforeTheNextEntry) {
  // The hit on the last line sets the cancel; a legacy file after it would
  // send its error line unless the entry test stops the search first.
  m_folder.Write("schedule2010_03.dat", kHeader + "01,0,0,0,0,w,,,,,,\n");
  m_folder.Write("legacy.dat", "01 0 0 0 w\n");
  std::vector<std::string> lines = Search(kText, "w", {"schedule2010_03.dat", "legacy.dat"}, 1);
  EXPECT_EQ(1u, lines.size());
  EXPECT_TRUE(Search(kText, "w", {"legacy.dat"}, 0).empty());
}

TEST_F(ScheduleSearchTest, NoEntriesSendNothing) {
  EXPECT_TRUE(Search(kText, "a", {}).empty());
  EXPECT_EQ(1, m_listings);
}

TEST_F(ScheduleSearchTest, LongestRecordIsMatchedToItsEnd) {
  // Every text at its limit, every byte escaped: 1,838 bytes on disk.
  std::string line(254, '\\');
  std::string memo = std::string(508, '\\') + "\\,";
  std::string record = "31,-2147483648,-2147483648,-2147483648,-2147483648,";
  for (int i = 0; i < 5; ++i) record += line + ",";
  record += memo + ",\n";
  ASSERT_EQ(1838u, record.size());
  m_folder.Write("schedule2010_03.dat", kHeader + record);
  std::string text;
  for (int i = 0; i < 5; ++i) text += std::string(127, '\\') + "\t";
  text += std::string(254, '\\') + ",\t\n";
  EXPECT_EQ(std::vector<std::string>{TextHit("2010/03/01", text)}, Search(kText, "\\,", {"schedule2010_03.dat"}));
}

TEST_F(ScheduleSearchTest, DamagedHugeRecordStaysBoundedAndLaterRecordsKeepTheirDays) {
  std::string hugeMemo(3 << 20, 'm');
  for (size_t i = 1000; i < hugeMemo.size(); i += 1000) hugeMemo[i] = '\n';
  m_folder.Write("schedule2010_03.dat",
                 kHeader + "01,0,0,0,0,,,,,,early" + hugeMemo + "late,\n" + "02,0,0,0,0,w,,,,,,\n");
  const std::vector<std::string> entries = {"schedule2010_03.dat"};
  std::vector<std::string> early = Search(kText, "early", entries);
  ASSERT_EQ(1u, early.size());
  EXPECT_LT(early[0].size(), (size_t{1} << 20) + 64);
  EXPECT_TRUE(Search(kText, "late", entries).empty());
  EXPECT_EQ((std::vector<int>{2}), HitDays(Search(kText, "w", entries)));
}

}  // namespace
