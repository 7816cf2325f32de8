// A generated book exported and imported into an empty folder comes back
// byte for byte; a second import adds nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <utility>

#include "calendar/CalendarFacts.h"
#include "cp932/Cp932FromUtf8.h"
#include "cp932/Utf8FromCp932.h"
#include "data/MonthFile.h"
#include "data/SealTable.h"
#include "export/BookExport.h"
#include "import/BookImport.h"
#include "tests/native/MonthFileScratch.h"

namespace {

constexpr int kBooks = 12;

class CBookMaker {
 public:
  explicit CBookMaker(unsigned seed) : m_random(seed) {
    for (const SealEntry& row : g_SealTable) {
      if (row.nCode != 0) m_seals.push_back(row.nCode);
    }
  }

  // Months with at least one day of content: month files as the plug-in writes them.
  std::map<std::pair<int, int>, MonthTable> Make() {
    static const int kYears[] = {1, 1999, 2010, 2012, 2024, 9999};
    std::map<std::pair<int, int>, MonthTable> book;
    for (int months = 1 + Pick(4); months > 0; --months) {
      int year = kYears[Pick(6)];
      int month = 1 + Pick(12);
      MonthTable& table = book[{year, month}];
      ClearMonth(table);
      int days = DaysInMonth(year, month);
      for (int filled = 1 + Pick(6); filled > 0; --filled) FillDay(table.Day(Pick(2) == 0 ? days : 1 + Pick(days)));
    }
    return book;
  }

 private:
  int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(m_random); }

  void FillDay(DayRecord& day) {
    for (SealCode& seal : day.nSeal) seal = Pick(3) == 0 ? m_seals[Pick(static_cast<int>(m_seals.size()))] : 0;
    if (Pick(4) == 0) day.nSeal[3] = day.nSeal[0];  // a seal held twice
    for (int line = 0; line < kLineCount; ++line) {
      if (Pick(2) != 0) continue;
      // A timed event, at any time of day (also one that the clocks of a zone
      // skip), written in any of the ways a time is typed: it keeps its wording.
      std::string time = Pick(3) == 0 ? LeadingTime() : "";
      std::string after =
          time.empty() && Pick(4) == 0 ? " " + std::to_string(Pick(24)) + ":" + std::to_string(10 + Pick(50)) : "";
      if (time.empty() && after.empty() && Pick(4) == 0) after = "（" + std::to_string(Pick(24)) + "時～)";
      SetDayLine(day, line, (time + Text(kLineSize - 1 - time.size() - after.size()) + after).c_str());
    }
    if (Pick(5) == 0) SetDayLine(day, 4, day.szLine[0]);  // the same text twice
    if (Pick(2) == 0) SetDayMemo(day, Text(kMemoSize - 1).c_str());
  }

  std::string LeadingTime() {
    const std::string hour = std::to_string(Pick(24)), minutes = std::to_string(10 + Pick(50));
    const std::string forms[] = {hour + ":" + minutes + " ",
                                 "１０：３０　",
                                 hour + "時半 ",
                                 "午後3時" + minutes + "分",
                                 hour + "時～" + hour + "時 ",
                                 hour + ":" + minutes + "-" + hour + ":" + minutes + " ",
                                 "夜" + std::to_string(1 + Pick(11)) + "時から" + hour + "時 ",
                                 hour + "時までに",
                                 "PM" + std::to_string(Pick(13)) + ":" + minutes + " ",
                                 "午後 2 時" + minutes + "～ "};
    return forms[Pick(static_cast<int>(std::size(forms)))];
  }

  // cp932 text that the export carries over exactly: characters that come
  // back as the same bytes, line breaks as CR LF inside the text only.
  std::string Text(size_t limit) {
    std::string text;
    size_t length = 1 + Pick(Pick(3) == 0 ? static_cast<int>(limit) : 12);
    while (text.size() < length) {
      std::string character = Character();
      if (text.size() + character.size() > limit) break;
      text += character;
    }
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return text.empty() ? "x" : text;
  }

  std::string Character() {
    switch (Pick(8)) {
      case 0:
        return "\r\n";
      case 1:
        return std::string(1, ",;\\:\"\t "[Pick(7)]);
      case 2:
        return std::string(1, static_cast<char>(0xA1 + Pick(0xDF - 0xA1 + 1)));  // half-width katakana
      case 3:
      case 4: {
        std::string pair{static_cast<char>(Pick(2) == 0 ? 0x81 + Pick(31) : 0xE0 + Pick(29)),
                         static_cast<char>(0x40 + Pick(0xFC - 0x40 + 1))};
        std::string utf8;
        std::string back;
        if (AppendUtf8FromCp932(utf8, pair) == 0 && AppendCp932FromUtf8(back, utf8) == 0 && back == pair) {
          return pair;
        }
        return "\x83\x5C";  // ソ, its trail byte a backslash
      }
      default:
        return std::string(1, static_cast<char>(0x21 + Pick(0x7E - 0x21 + 1)));
    }
  }

  std::mt19937 m_random;
  std::vector<SealCode> m_seals;
};

std::string MonthFileName(int year, int month) {
  char name[40];
  std::snprintf(name, sizeof name, "schedule%d_%02d.dat", year, month);
  return name;
}

// Each book in a zone of its own, the same on both sides.
const char* const g_Zones[] = {"Asia/Tokyo", "America/New_York", "Australia/Sydney", "Europe/London"};

ImportSummary Import(const std::string& calendar, const CMonthFileScratch& folder, const char* zone,
                     bool dryRun = false) {
  ImportOptions options;
  options.dryRun = dryRun;
  options.timeZone = zone;
  std::ostringstream report;
  ImportSummary summary;
  std::string error;
  std::istringstream stream(calendar);
  EXPECT_TRUE(ImportCalendar(stream, folder.Path(""), options, report, summary, error)) << error;
  EXPECT_EQ(summary.NotAdded(), 0) << report.str();
  EXPECT_EQ(summary.warnings, 0) << report.str();
  return summary;
}

TEST(ImportRoundTripTest, GeneratedBooksComeBackByteForByte) {
  for (unsigned seed = 1; seed <= kBooks; ++seed) {
    CMonthFileScratch book;
    CMonthFileScratch imported;
    ASSERT_TRUE(book.Ok() && imported.Ok());
    for (const auto& [month, table] : CBookMaker(seed).Make()) {
      int days = DaysInMonth(month.first, month.second);
      ASSERT_EQ(
          WriteMonthFile(table, book.Path(MonthFileName(month.first, month.second)).c_str(), [days] { return days; }),
          1);
    }
    std::ostringstream calendar;
    std::ostringstream warnings;
    ExportSummary exported;
    const char* zone = g_Zones[seed % 4];
    ExportOptions exportOptions;
    exportOptions.timeZone = zone;
    ASSERT_TRUE(ExportBook(book.Path(""), exportOptions, calendar, warnings, exported));

    int planned = Import(calendar.str(), imported, zone, true).Added();
    ASSERT_TRUE(imported.Names().empty()) << "a dry run wrote";
    EXPECT_EQ(Import(calendar.str(), imported, zone).Added(), planned);
    std::vector<std::string> names = book.Names();
    std::vector<std::string> importedNames = imported.Names();
    std::sort(names.begin(), names.end());
    std::sort(importedNames.begin(), importedNames.end());
    ASSERT_EQ(importedNames, names) << "seed " << seed;
    for (const std::string& name : names) {
      EXPECT_EQ(CMonthFileScratch::ReadAll(imported.Path(name)), CMonthFileScratch::ReadAll(book.Path(name)))
          << "seed " << seed << ": " << name;
    }
    EXPECT_EQ(Import(calendar.str(), imported, zone).Added(), 0) << "seed " << seed;
  }
}

}  // namespace
