#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "search/MonthFileScan.h"
#include "search/SearchMessages.h"
#include "search/SearchQuery.h"
#include "SearchTestSupport.h"

namespace {

const char* const kName = "schedule2011_07.dat";

std::vector<std::string> ScanWhole(const CSearchQuery& query, const std::string& bytes) {
  CRecordingSink sink;
  ScanMonthBytes(query, kName, bytes.data(), bytes.size(), sink);
  return sink.Lines();
}

// The bytes fed in two blocks, cut at split.
std::vector<std::string> ScanCut(const CSearchQuery& query, const std::string& bytes, size_t split) {
  CRecordingSink sink;
  CMonthFileScan scan(query, kName, sink);
  if (scan.Feed(bytes.data(), split) && scan.Feed(bytes.data() + split, bytes.size() - split)) scan.Finish();
  return sink.Lines();
}

const std::string kCrLfMonth =
    "QL3\r\n"
    "01,4,0,0,0,a\\,b,c\\\\,,,,m1\r\n\r\nm2\\\r\nm3,\r\n"
    "02,0,0,0,0,\x83\x5C,\x95\x5C\\,,,,,,\r\n"
    "03,0,0,0,0,last,,,,,,";  // no line end at the end of the file

TEST(MonthFileScanTest, EveryCutOfTheBytesGivesTheSameLines) {
  const CSearchQuery query(0, "");
  const std::vector<std::string> whole = ScanWhole(query, kCrLfMonth);
  ASSERT_EQ(3u, whole.size());
  for (size_t split = 0; split <= kCrLfMonth.size(); ++split) {
    EXPECT_EQ(whole, ScanCut(query, kCrLfMonth, split)) << "cut at " << split;
  }
}

TEST(MonthFileScanTest, RecordsAreUnescapedAcrossLines) {
  // A trail byte 0x5C is no escape; an escaped line end keeps its LF.
  const std::vector<std::string> expected = {
      "2011/07/01 \t <\xBD\xB9\xBC\xDE\xAD\xB0\xD9> \t a,b\tc\\\t\t\t\tm1\nm2\nm3\t\n",
      "2011/07/02 \t <\xBD\xB9\xBC\xDE\xAD\xB0\xD9> \t \x83\x5C\t\x95\x5C,\t\t\t\t\t\n",
      "2011/07/03 \t <\xBD\xB9\xBC\xDE\xAD\xB0\xD9> \t last\t\t\t\t\t\t\n"};
  EXPECT_EQ(expected, ScanWhole(CSearchQuery(0, ""), kCrLfMonth));
}

TEST(MonthFileScanTest, ZeroByteEndsItsLine) {
  const std::string bytes = std::string("QL3\n01,0,0,0,0,a,,,,,,") + '\0' + "junk,\n02,0,0,0,0,b,,,,,,\n";
  std::vector<std::string> lines = ScanWhole(CSearchQuery(0, ""), bytes);
  ASSERT_EQ(2u, lines.size());
  EXPECT_NE(std::string::npos, lines[0].find("/01 \t"));
  EXPECT_EQ(std::string::npos, lines[0].find("junk"));
  EXPECT_NE(std::string::npos, lines[1].find("/02 \t"));
}

TEST(MonthFileScanTest, LineLongerThanAPieceKeepsRecordsInStep) {
  const std::string bytes = "QL3\n01,0,0,0,0,,,,,,early" + std::string(kMaxLinePiece * 5 / 2, 'm') +
                            "late,\n02,0,0,0,0,w,,,,,,\n";
  std::vector<std::string> lines = ScanWhole(CSearchQuery(0, "early w"), bytes);
  ASSERT_EQ(2u, lines.size());
  EXPECT_EQ(0u, lines[0].find("2011/07/01 \t"));
  EXPECT_EQ(0u, lines[1].find("2011/07/02 \t"));
}

TEST(MonthFileScanTest, MoreThanElevenCommasOnALineStillCompleteTheRecord) {
  const std::string bytes = "QL3\n01,0,0,0,0,a,,,,,,extra,\n02,0,0,0,0,b,,,,,,\n";
  std::vector<std::string> lines = ScanWhole(CSearchQuery(0, "b"), bytes);
  EXPECT_EQ(std::vector<std::string>{"2011/07/02 \t <\xBD\xB9\xBC\xDE\xAD\xB0\xD9> \t b\t\t\t\t\t\t\n"},
            lines);
}

TEST(MonthFileScanTest, DaysPastNinetyNineKeepAllTheirDigits) {
  std::string bytes = "QL3\n";
  for (int day = 1; day <= 100; ++day) bytes += day == 100 ? "00,0,0,0,0,w,,,,,,\n" : "00,0,0,0,0,,,,,,,\n";
  EXPECT_EQ(std::vector<std::string>{"2011/07/100 \t <\xBD\xB9\xBC\xDE\xAD\xB0\xD9> \t w\t\t\t\t\t\t\n"},
            ScanWhole(CSearchQuery(0, "w"), bytes));
}

TEST(MonthFileScanTest, RecordCutByTheEndOfTheFileIsNotReported) {
  EXPECT_TRUE(ScanWhole(CSearchQuery(0, ""), "QL3\n01,0,0,0,0,a,,,,").empty());
  EXPECT_TRUE(ScanWhole(CSearchQuery(2, "161"), "QL3\n01,6,0").empty());
}

}  // namespace
