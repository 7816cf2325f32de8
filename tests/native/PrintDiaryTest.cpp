// The diary: the days read from the book for a range, and their blocks on
// pages, kept whole unless longer than a page, then continued.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "print/DiaryDays.h"
#include "print/DiaryLayout.h"
#include "tests/native/PrintTestMeasure.h"

namespace {

PrintNames JapaneseNames() {
  PrintNames names;
  const char* weekdays[] = {"日", "月", "火", "水", "木", "金", "土"};
  for (int i = 0; i < 7; ++i) names.weekdays[i] = weekdays[i];
  for (int i = 0; i < 12; ++i) names.months[i] = std::to_string(i + 1) + "月";
  return names;
}

// --- The days of a range ---

struct BookMonth {
  MonthReadOutcome read;
  std::map<int, std::string> lines;  // day -> its first line
};

class CFakeBook {
 public:
  std::map<int, BookMonth> months;  // by year * 12 + month - 1
  std::vector<int> asked;

  DiaryMonthReader Reader() {
    return [this](int year, int month, MonthTable& table) {
      const int index = year * 12 + month - 1;
      asked.push_back(index);
      ClearMonth(table);
      const auto found = months.find(index);
      if (found == months.end()) return MonthReadOutcome::kAbsent;
      for (const auto& [day, line] : found->second.lines) SetDayLine(table.Day(day), 0, line.c_str());
      return found->second.read;
    };
  }
};

std::vector<std::string> DatesOf(const DiaryDays& days) {
  std::vector<std::string> dates;
  for (const DiaryDay& day : days.days) {
    dates.push_back(std::to_string(day.date.month) + "/" + std::to_string(day.date.day) + ":" +
                    std::to_string(day.weekday) + (day.holiday.empty() ? "" : ":" + day.holiday));
  }
  return dates;
}

struct RangeCase {
  const char* name;
  bool januaryUnreadable;
  bool withEmptyDays;
  std::vector<std::string> dates;  // month/day:weekday[:holiday]
  size_t unreadable;
};

TEST(PrintDiaryTest, TheDaysOfARange) {
  const RangeCase cases[] = {
      {"days with something only", false, false, {"12/31:4", "1/1:5:元日", "1/2:6"}, 0},
      {"every day", false, true, {"12/30:3:祝日", "12/31:4", "1/1:5:元日", "1/2:6", "1/3:0"}, 0},
      {"a month that cannot be read is left out, not taken for empty", true, true, {"12/30:3:祝日", "12/31:4"}, 1},
  };
  for (const RangeCase& c : cases) {
    SCOPED_TRACE(c.name);
    CFakeBook book;
    book.months[2026 * 12 + 11] = {MonthReadOutcome::kRead, {{31, "大晦日"}}};
    book.months[2027 * 12 + 0] = {c.januaryUnreadable ? MonthReadOutcome::kUnreadable : MonthReadOutcome::kRead,
                                  {{1, "元日 初詣"}, {2, "書き初め"}}};
    // The host says: 30 December is a holiday (no law names it), 11 January is none.
    const int newYear = DayNumberOf(2027, 1, 1);
    const int yearEnd = DayNumberOf(2026, 12, 30);
    const DiaryDays days = CollectDiaryDays({2026, 12, 30}, {2027, 1, 3}, c.withEmptyDays, book.Reader(),
                                            [&](int day) { return day == newYear || day == yearEnd; });
    EXPECT_EQ(DatesOf(days), c.dates);
    EXPECT_EQ(days.unreadable.size(), c.unreadable);
    EXPECT_EQ(book.asked.size(), 2u) << "each month read once";
  }
}

TEST(PrintDiaryTest, AHolidayIsWhatTheHostSays) {
  CFakeBook book;
  const DiaryDays days = CollectDiaryDays({2027, 1, 11}, {2027, 1, 11}, true, book.Reader(), [](int) { return false; });
  ASSERT_EQ(days.days.size(), 1u);
  EXPECT_EQ(days.days[0].holiday, "") << "the law's Coming of Age Day, but not the host's";
}

// --- Blocks on pages ---

DiaryDay DayWith(int day, std::vector<std::string> lines, const std::string& memo = "", SealCode seal = 0) {
  DiaryDay result = {{2026, 12, day}, 0, "", {}};
  result.weekday = (day + 1) % 7;  // December 2026 begins on a Tuesday
  for (size_t i = 0; i < lines.size(); ++i) SetDayLine(result.record, static_cast<int>(i), lines[i].c_str());
  SetDayMemo(result.record, memo.c_str());
  result.record.nSeal[0] = seal;
  return result;
}

std::string MemoOfRows(int rows) {
  std::string memo;
  for (int i = 0; i < rows; ++i) memo += (i ? "\r\n" : "") + std::to_string(i);
  return memo;
}

// Rows 0..height, 1000 wide; a heading row is 30 + 10, a text row 20, the seals 50.
DiaryFrame FrameOf(int height) { return {{0, 0, 1000, height}, {0, height + 20, 1000, height + 36}, 50, 40, 20}; }

// The page each day's rows are on, as "p" for one page or "p-q" for several.
std::vector<std::string> PagesOfDays(const std::vector<DiaryPage>& pages, size_t days) {
  std::vector<std::string> spans(days);
  for (size_t page = 0; page < pages.size(); ++page) {
    for (const DiaryRow& row : pages[page].rows) {
      std::string& span = spans[row.day];
      const std::string here = std::to_string(page);
      if (span.empty()) {
        span = here;
      } else if (span.substr(span.rfind('-') == std::string::npos ? 0 : span.rfind('-') + 1) != here) {
        span = span.substr(0, span.find('-')) + "-" + here;
      }
    }
  }
  return spans;
}

struct LayoutCase {
  const char* name;
  int height;
  std::vector<DiaryDay> days;
  std::vector<std::string> pagesOfDays;
};

TEST(PrintDiaryTest, BlocksOnPages) {
  const DiaryDay twoLines = DayWith(1, {"朝会", "10:00 歯医者"});  // 40 + 40 = 80
  const LayoutCase cases[] = {
      {"three to a page", 300, {twoLines, twoLines, twoLines}, {"0", "0", "0"}},
      {"the third goes whole to the next page", 250, {twoLines, twoLines, twoLines}, {"0", "0", "1"}},
      {"a block as tall as a page fills one", 80, {twoLines, twoLines}, {"0", "1"}},
      {"a day longer than a page starts a page and goes on", 300,
       {twoLines, DayWith(2, {}, MemoOfRows(30)), twoLines}, {"0", "1-3", "3"}},
      {"a day longer than a page on an empty page starts there", 300, {DayWith(2, {}, MemoOfRows(20))}, {"0-1"}},
      {"an empty day is its heading", 120, {DayWith(3, {}), DayWith(4, {}), DayWith(5, {})}, {"0", "0", "1"}},
  };
  for (const LayoutCase& c : cases) {
    SCOPED_TRACE(c.name);
    CFixedPitchMeasure measure;
    const DiaryFrame frame = FrameOf(c.height);
    const std::vector<DiaryPage> pages = LayOutDiary(c.days, frame, JapaneseNames(), measure);
    EXPECT_EQ(PagesOfDays(pages, c.days.size()), c.pagesOfDays);
    for (const DiaryPage& page : pages) {
      ASSERT_FALSE(page.rows.empty());
      EXPECT_EQ(page.rows.front().kind, DiaryRowKind::kHeading) << "a page begins with a day's heading";
      for (const DiaryRow& row : page.rows) {
        EXPECT_GE(row.top, frame.rows.top);
        EXPECT_LE(row.top + row.height, frame.rows.bottom) << row.text;
      }
      for (size_t i = 1; i < page.rows.size(); ++i) EXPECT_GE(page.rows[i].top, page.rows[i - 1].top + page.rows[i - 1].height);
    }
  }
}

TEST(PrintDiaryTest, ALongDayGoesOnUnderAContinuedHeadingWithEveryRowOnce) {
  CFixedPitchMeasure measure;
  const std::vector<DiaryDay> days = {DayWith(24, {"クリスマスイブ"}, MemoOfRows(30))};
  const std::vector<DiaryPage> pages = LayOutDiary(days, FrameOf(300), JapaneseNames(), measure);
  ASSERT_EQ(pages.size(), 3u);
  std::vector<std::string> texts;
  for (size_t page = 0; page < pages.size(); ++page) {
    const DiaryRow& heading = pages[page].rows.front();
    EXPECT_EQ(heading.text, page == 0 ? "2026年12月24日 (木)" : "2026年12月24日 (木) (続き)");
    for (const DiaryRow& row : pages[page].rows) {
      if (row.kind == DiaryRowKind::kText) texts.push_back(row.text);
    }
  }
  std::vector<std::string> expected = {"クリスマスイブ", ""};
  for (int i = 0; i < 30; ++i) expected.push_back(std::to_string(i));
  EXPECT_EQ(texts, expected);
}

TEST(PrintDiaryTest, SealsAndAMemoOf255BytesInTheBlock) {
  std::string memo;
  while (memo.size() + 14 <= 255) memo += "予定表の印刷\r\n";
  const std::vector<DiaryDay> days = {DayWith(1, {"会議"}, memo, 6), DayWith(2, {"会議"}, "", 9999)};
  CFixedPitchMeasure measure;
  const DiaryFrame frame = FrameOf(2000);
  const std::vector<DiaryPage> pages = LayOutDiary(days, {{0, 0, 150, 2000}, frame.footer, 50, 40, 20},
                                                   JapaneseNames(), measure);
  ASSERT_EQ(pages.size(), 1u);
  std::map<size_t, int> seals;
  std::map<size_t, int> rows;
  for (const DiaryRow& row : pages[0].rows) {
    seals[row.day] += row.kind == DiaryRowKind::kSeals;
    if (row.kind == DiaryRowKind::kText && !row.text.empty()) {
      ++rows[row.day];
      EXPECT_EQ(row.left, 50) << "under the heading, indented";
      std::vector<int> extents;
      measure.CharacterExtents(row.text, PrintFont::kBody, extents);
      EXPECT_LE(extents.back(), 100) << row.text;
    }
  }
  EXPECT_EQ(seals[0], 1) << "a seal with a picture";
  EXPECT_EQ(seals[1], 0) << "a code without a seal shows nothing";
  // 18 lines of 6 characters at 5 to a row: 2 rows each, and the line.
  EXPECT_EQ(rows[0], 1 + 2 * 18);
}

}  // namespace
