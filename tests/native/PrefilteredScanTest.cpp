// The scan that looks closely only at records holding a needle, against the
// line-by-line scan of every record: the same lines for the same bytes.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "SearchTestSupport.h"
#include "search/MonthFileScan.h"
#include "search/PrefilteredScan.h"
#include "search/SearchQuery.h"

namespace {

const char* const kName = "schedule2011_07.dat";

struct Query {
  int kind;
  const char* text;
};

const Query kQueries[] = {
    {0, "a"},   {0, "bc"},       {0, "a b"},   {0, "\x83\x41"},  // ア, whose trail byte is A
    {0, "A"},   {0, "\x83\x5C"},                                 // ソ, whose trail byte is a backslash
    {0, "6"},   {0, "ab"},       {0, "b\x83"}, {2, "161"},       // seal 6
    {2, "170"},                                                  // seal 15
};

std::vector<std::string> LineByLine(const CSearchQuery& query, const std::string& bytes) {
  CRecordingSink sink;
  CMonthFileScan scan(query, kName, sink);
  if (scan.Feed(bytes.data(), bytes.size())) scan.Finish();
  return sink.Lines();
}

std::vector<std::string> Prefiltered(const CSearchQuery& query, const std::string& bytes, bool* used) {
  CRecordingSink sink;
  std::optional<bool> goOn = ScanWithPrefilter(query, kName, bytes.data(), bytes.size(), sink);
  *used = goOn.has_value();
  if (goOn) return sink.Lines();
  EXPECT_TRUE(sink.Lines().empty()) << "nothing is sent before the scan gives way";
  return LineByLine(query, bytes);
}

// Fields of pieces that make the rules matter: escapes before every kind of
// byte, lead bytes before commas and backslashes, trail bytes 0x5C and A,
// line breaks inside texts, seal codes.
std::string RandomField(std::mt19937& random) {
  static const char* const kPieces[] = {
      "\t", "a", "b", "c",        "6",        "15",       "A",    "\\,",      "\\\\",     "\\a",  "\\", "\r\n", "\n",
      "\r", " ", ",", "\x83\x41", "\x83\x5C", "\x95\x5C", "\x83", "\x82\xA0", "\xE0\x2C", "\xB1", "bc", "ab"};
  std::string field;
  for (int pieces = random() % 5; pieces > 0; --pieces) field += kPieces[random() % (sizeof kPieces / sizeof *kPieces)];
  return field;
}

std::string RandomMonth(std::mt19937& random) {
  static const char* const kHeaders[] = {"QL3\n", "QL3\r\n", "QL3\n", "QL3 \n", ""};
  std::string bytes = kHeaders[random() % 5];
  for (int day = 1 + random() % 6; day > 0; --day) {
    bytes += "01";
    for (int field = 0; field < 10; ++field) {
      bytes += ",";
      bytes += field < 4 && random() % 2 ? std::string(random() % 2 ? "6" : "15") : RandomField(random);
    }
    bytes += random() % 4 ? ",\n" : ",\r\n";
    if (random() % 8 == 0) bytes += "\n";
  }
  if (random() % 10 == 0) bytes.insert(random() % bytes.size(), 1, '\0');
  if (random() % 4 == 0) bytes.resize(random() % (bytes.size() + 1));
  return bytes;
}

TEST(PrefilteredScanTest, SameLinesAsTheLineByLineScanForGeneratedMonths) {
  std::mt19937 random(20100305);
  int prefiltered = 0;
  int withHits = 0;
  for (int round = 0; round < 3000; ++round) {
    const std::string bytes = RandomMonth(random);
    for (const Query& q : kQueries) {
      const CSearchQuery query(q.kind, q.text);
      bool used = false;
      const std::vector<std::string> expected = LineByLine(query, bytes);
      ASSERT_EQ(expected, Prefiltered(query, bytes, &used))
          << "query " << testing::PrintToString(std::string(q.text)) << " bytes " << testing::PrintToString(bytes);
      prefiltered += used;
      withHits += used && !expected.empty();
    }
  }
  // The generated months reach both scans and find hits the prefilter must not lose.
  EXPECT_GT(prefiltered, 10000);
  EXPECT_GT(withHits, 3000);
}

struct GiveWayCase {
  const char* name;
  Query query;
  std::string bytes;
};

TEST(PrefilteredScanTest, GivesWayWhereRawBytesCanHideAHit) {
  const GiveWayCase cases[] = {
      {"escapeBeforeALetter", {0, "abc"}, "QL3\n01,0,0,0,0,a\\bc,,,,,,\n"},
      {"escapeInsideASealCode", {2, "170"}, "QL3\n01,1\\5,0,0,0,,,,,,,\n"},
      {"escapeBeforeALeadByte", {0, "x"}, "QL3\n01,0,0,0,0,\\\x83\x41x,,,,,,\n"},
      {"tabBesideASealCode", {2, "161"}, "QL3\n01,5,\t6\tx,0,0,,,,,,,\n"},
      {"zeroByte", {0, "a"}, std::string("QL3\n01,0,0,0,0,a,,,,,,\n", 23) + '\0'},
      {"emptyWordFindsEveryRecord", {0, "a "}, "QL3\n01,0,0,0,0,,,,,,,\n"},
      {"wordWithAComma", {0, "a,b"}, "QL3\n01,0,0,0,0,a\\,b,,,,,,\n"},
      {"unknownKind", {1, "a"}, "QL3\n01,0,0,0,0,a,,,,,,\n"},
  };
  for (const GiveWayCase& c : cases) {
    SCOPED_TRACE(c.name);
    CRecordingSink sink;
    EXPECT_FALSE(
        ScanWithPrefilter(CSearchQuery(c.query.kind, c.query.text), kName, c.bytes.data(), c.bytes.size(), sink));
    EXPECT_TRUE(sink.Lines().empty());
  }
  // Escapes before backslashes, commas and line ends, and trail bytes 0x5C
  // (ソフト, 表\\ and 表\, here), keep the prefilter.
  const std::string safe = "QL3\n01,0,0,0,0,\\\\a\\,,\x83\x5C\x83\x74\x95\x5C\\\\,\x95\x5C\\,x\\\r\n,,,,\n";
  CRecordingSink sink;
  EXPECT_TRUE(ScanWithPrefilter(CSearchQuery(0, "x"), kName, safe.data(), safe.size(), sink));
  EXPECT_EQ(LineByLine(CSearchQuery(0, "x"), safe), sink.Lines());
  EXPECT_EQ(1u, sink.Lines().size());
}

}  // namespace
