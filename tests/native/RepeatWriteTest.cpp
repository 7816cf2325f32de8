// A repeated line written into the month files and taken out again:
// through the merging write when another PC changed a month meanwhile, into
// the memo of a full day, past months that cannot be read or written, never
// back to the day shown, and beside a month session whose edits are not
// written yet.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>
#include <future>
#include <string>
#include <vector>

#include "FaultyFileSystem.h"
#include "MonthFileScratch.h"
#include "book/MonthSession.h"
#include "calendar/CalendarFacts.h"
#include "calendar/DayNumber.h"
#include "data/MonthFile.h"
#include "host/core/HostServices.h"
#include "host/core/MemorySettingsStore.h"
#include "repeat/RepeatReport.h"
#include "repeat/RepeatRule.h"
#include "repeat/RepeatRun.h"
#include "repeat/RepeatWrite.h"

namespace {

// Another PC's copy arrives between a month's reading and its writing.
class CMeanwhileMonths : public IBookMonths {
 public:
  CMeanwhileMonths(IBookMonths& months, std::function<void(int year, int month)> meanwhile)
      : m_months(months), m_meanwhile(std::move(meanwhile)) {}
  bool ListMonths(std::vector<YearMonth>& months) override { return m_months.ListMonths(months); }
  MonthRead ReadMonth(int year, int month, MonthTable& table) override {
    return m_months.ReadMonth(year, month, table);
  }
  MonthChange ChangeMonth(int year, int month, const std::function<bool(MonthTable&)>& change) override {
    return m_months.ChangeMonth(year, month, [&](MonthTable& table) {
      const bool changed = change(table);
      m_meanwhile(year, month);
      return changed;
    });
  }

 private:
  IBookMonths& m_months;
  std::function<void(int, int)> m_meanwhile;
};

class RepeatWriteTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(std::filesystem::create_directory(m_scratch.Path("Plannix"))); }

  std::string Path(int year, int month) const { return MonthFilePathIn(m_scratch.Path("Plannix"), year, month); }
  void Write(int year, int month, const MonthTable& table) const {
    ASSERT_EQ(1, WriteMonthFile(table, Path(year, month).c_str(), [=] { return DaysInMonth(year, month); }));
  }
  MonthTable Read(int year, int month) const {
    MonthTable table = {};
    ReadMonthFile(table, Path(year, month).c_str());
    return table;
  }
  // The day's lines that hold text, sorted: a merge may move a line to another.
  static std::vector<std::string> LinesOf(const DayRecord& day) {
    std::vector<std::string> lines;
    for (const auto& line : day.szLine) {
      if (line[0] != '\0') lines.push_back(line);
    }
    std::sort(lines.begin(), lines.end());
    return lines;
  }
  static std::vector<int> Days(int year, int month, std::vector<int> days) {
    for (int& day : days) day = DayNumberOf(year, month, day);
    return days;
  }

  CMonthFileScratch m_scratch;
  CFaultyFileSystem m_files;
  CFolderMonths m_months{m_files, m_scratch.Path("Plannix")};
};

using Lines = std::vector<std::string>;

TEST_F(RepeatWriteTest, WhatAnotherPcWroteMeanwhileStaysBesideTheRepeatedLine) {
  MonthTable june = {};
  SetDayLine(june.Day(22), 0, "dentist");
  Write(2026, 6, june);
  const std::vector<int> mondays = Days(2026, 6, {15, 22, 29});
  // After the dialog counted, and again while the write was under way.
  SetDayLine(june.Day(29), 0, "other PC");
  Write(2026, 6, june);
  CMeanwhileMonths meanwhile(m_months, [&](int year, int month) {
    SetDayLine(june.Day(15), 0, "typed over there");
    Write(year, month, june);
  });
  const RepeatOutcome outcome = WriteRepeatedLine(mondays, "weekly", meanwhile, nullptr);
  ASSERT_EQ(1u, outcome.months.size());
  EXPECT_EQ(MonthOutcome::kWritten, outcome.months[0].outcome);
  EXPECT_EQ(3, outcome.ChangedDays());
  const MonthTable file = Read(2026, 6);
  EXPECT_EQ(Lines({"typed over there", "weekly"}), LinesOf(file.Day(15)));
  EXPECT_EQ(Lines({"dentist", "weekly"}), LinesOf(file.Day(22)));
  EXPECT_EQ(Lines({"other PC", "weekly"}), LinesOf(file.Day(29)));
  EXPECT_EQ("", RepeatOutcomeText(outcome, false));
}

TEST_F(RepeatWriteTest, AFullDayTakesTheLineInItsMemoAndOneWithoutRoomIsReported) {
  MonthTable june = {};
  for (int line = 0; line < kLineCount; ++line) {
    SetDayLine(june.Day(15), line, "busy");
    SetDayLine(june.Day(22), line, "busy");
  }
  // Room for three bytes: half of the line would be no line at all.
  SetDayMemo(june.Day(22), std::string(kMemoSize - 6, 'm').c_str());
  SetDayLine(june.Day(29), 0, "dentist");
  SetDayLine(june.Day(8), 3, "weekly");
  Write(2026, 6, june);
  const std::vector<int> mondays = Days(2026, 6, {8, 15, 22, 29});
  const RepeatPreview preview = PreviewRepeatedLine(mondays, "weekly", m_months);
  EXPECT_EQ(1, preview.alreadyThere);
  EXPECT_EQ(1, preview.intoMemo);
  EXPECT_EQ(1, preview.noRoom);
  EXPECT_STREQ("", Read(2026, 6).Day(15).szMemo) << "counting writes nothing";

  const RepeatOutcome outcome = WriteRepeatedLine(mondays, "weekly", m_months, nullptr);
  EXPECT_EQ(2, outcome.ChangedDays());
  EXPECT_EQ(Days(2026, 6, {22}), outcome.NoRoomDays());
  const MonthTable file = Read(2026, 6);
  EXPECT_STREQ("weekly", file.Day(15).szMemo);
  EXPECT_EQ(0, std::memcmp(&june.Day(22), &file.Day(22), sizeof(DayRecord)));
  EXPECT_EQ(Lines({"dentist", "weekly"}), LinesOf(file.Day(29)));
  EXPECT_EQ(Lines({"weekly"}), LinesOf(file.Day(8)));
  EXPECT_NE(std::string::npos, RepeatOutcomeText(outcome, false).find("2026年6月22日(月)"));
}

TEST_F(RepeatWriteTest, AMonthThatCannotBeReadOrWrittenIsLeftAsItWasAndTheOthersAreWritten) {
  MonthTable month = {};
  SetDayLine(month.Day(1), 0, "kept");
  for (int m = 1; m <= 4; ++m) Write(2026, m, month);
  // February ends inside a record; March's disk refuses the new file.
  const std::string february = CMonthFileScratch::ReadAll(Path(2026, 2));
  CMonthFileScratch::WriteAll(Path(2026, 2), february.substr(0, february.size() - 1));
  const std::string before[] = {CMonthFileScratch::ReadAll(Path(2026, 2)), CMonthFileScratch::ReadAll(Path(2026, 3))};
  m_files.OnlyFor("2026_03");
  m_files.Fail("create-new");
  const std::vector<int> days = {DayNumberOf(2026, 1, 15), DayNumberOf(2026, 2, 15), DayNumberOf(2026, 3, 15),
                                 DayNumberOf(2026, 4, 15)};
  std::vector<size_t> progress;
  const RepeatOutcome outcome = WriteRepeatedLine(
      days, "payday", m_months, [&](size_t done, size_t total) { progress.push_back(done * 10 + total); });
  const MonthOutcome expected[] = {MonthOutcome::kWritten, MonthOutcome::kUnread, MonthOutcome::kUnwritten,
                                   MonthOutcome::kWritten};
  ASSERT_EQ(4u, outcome.months.size());
  for (int m = 0; m < 4; ++m) EXPECT_EQ(expected[m], outcome.months[m].outcome) << m + 1;
  EXPECT_EQ((std::vector<size_t>{14, 24, 34, 44}), progress);
  EXPECT_EQ(before[0], CMonthFileScratch::ReadAll(Path(2026, 2)));
  EXPECT_EQ(before[1], CMonthFileScratch::ReadAll(Path(2026, 3)));
  EXPECT_EQ(Lines({"payday"}), LinesOf(Read(2026, 1).Day(15)));
  EXPECT_EQ(Lines({"payday"}), LinesOf(Read(2026, 4).Day(15)));
  EXPECT_EQ(2, outcome.ChangedDays());
  const std::string told = RepeatOutcomeText(outcome, false);
  EXPECT_NE(std::string::npos, told.find("読み込めないため、そのままの月: 2026年2月\n"));
  EXPECT_NE(std::string::npos, told.find("書き込めなかったため、そのままの月: 2026年3月\n"));
}

TEST_F(RepeatWriteTest, TheRemovalNeverReachesTheDayShownOrTheDaysBefore) {
  MonthTable june = {};
  for (int day : {1, 8, 15, 22}) SetDayLine(june.Day(day), 1, "weekly");
  SetDayLine(june.Day(22), 0, "lunch");
  SetDayLine(june.Day(29), 1, "weekly meeting");
  Write(2026, 6, june);
  MonthTable july = {};
  SetDayLine(july.Day(6), 4, "weekly");
  Write(2026, 7, july);
  MonthTable farOff = {};  // past the ten years from 15 June 2026
  SetDayLine(farOff.Day(16), 0, "weekly");
  Write(2036, 6, farOff);

  const int shown = DayNumberOf(2026, 6, 15);
  const LineFound found = FindLineInDays(shown, RepeatLimitDay(shown), "weekly", m_months);
  EXPECT_EQ((std::vector<int>{DayNumberOf(2026, 6, 22), DayNumberOf(2026, 7, 6)}), found.days);
  EXPECT_TRUE(found.unreadMonths.empty());
  const RepeatOutcome outcome = RemoveLineFromDays(found.days, "weekly", m_months, nullptr);
  EXPECT_EQ(2, outcome.ChangedDays());
  const MonthTable file = Read(2026, 6);
  for (int day : {1, 8, 15}) EXPECT_EQ(Lines({"weekly"}), LinesOf(file.Day(day))) << day;
  EXPECT_EQ(Lines({"lunch"}), LinesOf(file.Day(22)));
  EXPECT_EQ(Lines({"weekly meeting"}), LinesOf(file.Day(29)));
  EXPECT_EQ(Lines(), LinesOf(Read(2026, 7).Day(6)));
  EXPECT_EQ(Lines({"weekly"}), LinesOf(Read(2036, 6).Day(16)));
}

// The month on display holds edits its session has not written yet: the
// run writes the files beside the session, which takes them in at once; a
// line typed into another box of a day is not repeated beside itself.
TEST_F(RepeatWriteTest, EditsOfTheMonthOnDisplayNotWrittenYetAreKept) {
  CMemorySettingsStore store;
  CHostServices host(store, m_scratch.Path(""), DateRecord{2010, 3, 5, 5});
  const std::chrono::hours never(1);
  CMonthSession session(m_files, "Plannix", '/', never, never);
  ASSERT_EQ(MonthFileState::kAbsent, session.OpenToday(host));
  char stored[kLineSize];
  ASSERT_TRUE(session.StoreLine(0, "typed on the fifth", stored));
  ASSERT_TRUE(session.SelectDay(12, 5));
  ASSERT_TRUE(session.StoreLine(2, "weekly", stored));
  CFolderMonths files(m_files, m_scratch.Path("Plannix"));
  CSessionMonths months(session, files);
  // Counted in the session's table, whose twelfth holds what no file does yet.
  EXPECT_EQ(1, PreviewRepeatedLine(Days(2010, 3, {12}), "weekly", months).alreadyThere);

  CRepeatRun run(m_files, session);
  std::promise<void> ended;
  ASSERT_TRUE(
      run.Start({false, Days(2010, 3, {12, 19, 26}), "weekly", m_scratch.Path("Plannix")}, [&] { ended.set_value(); }));
  ASSERT_EQ(std::future_status::ready, ended.get_future().wait_for(std::chrono::seconds(10)));
  bool removal = true;
  EXPECT_EQ(2, run.Finish(removal).ChangedDays());
  EXPECT_FALSE(removal);
  EXPECT_EQ(Lines({"typed on the fifth"}), LinesOf(session.Day(5)));
  EXPECT_EQ(Lines({"weekly"}), LinesOf(session.Day(12)));
  EXPECT_EQ(Lines({"weekly"}), LinesOf(session.Day(19)));
  ASSERT_TRUE(session.SelectDay(19, 5));
  ASSERT_TRUE(session.StoreLine(1, "typed after", stored));
  ASSERT_EQ(MonthSaveOutcome::kWritten, session.Save());
  const MonthTable file = Read(2010, 3);
  EXPECT_EQ(Lines({"typed on the fifth"}), LinesOf(file.Day(5)));
  EXPECT_EQ(Lines({"weekly"}), LinesOf(file.Day(12)));
  EXPECT_EQ(Lines({"typed after", "weekly"}), LinesOf(file.Day(19)));
  EXPECT_EQ(Lines({"weekly"}), LinesOf(file.Day(26)));
}

}  // namespace
