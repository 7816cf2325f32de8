// What is due when, on a clock the tests hand in: across midnight, after a
// sleep, with the clock set back, as lines change, missed within and past
// the hour, dismissed once, a line being typed, a day that cannot be told.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "reminders/ReminderLead.h"
#include "reminders/ReminderScheduler.h"
#include "reminders/ReminderText.h"
#include "reminders/WallTime.h"

namespace {

const int kToday = DayNumberOf(2026, 12, 9);

int64_t At(int hour, int minute, int second = 0, int day = kToday) {
  return WallSecondsOf(day, (hour * 60 + minute) * kSecondsPerMinute + second);
}

// Today's and tomorrow's lines as the reminders read them: cp932, through the one reader of times.
ReminderFacts Facts(std::vector<const char*> today, std::vector<const char*> tomorrow = {},
                    const CDismissedSet& dismissed = CDismissedSet()) {
  ReminderFacts facts;
  facts.dismissedKnown = true;
  facts.dismissed = dismissed;
  for (int day : {0, 1}) {
    DayRecord record = {};
    const std::vector<const char*>& texts = day == 0 ? today : tomorrow;
    for (size_t line = 0; line < texts.size(); ++line) SetDayLine(record, static_cast<int>(line), texts[line]);
    AppendTimedLines(kToday + day, record, facts.lines);
  }
  return facts;
}

// The titles on the board after a look, soonest first.
std::string Board(CReminderScheduler& scheduler, int64_t now, const ReminderFacts& facts, int lead = 10) {
  scheduler.Look(now, lead, facts);
  std::string titles;
  for (const DueReminder& due : scheduler.Board()) titles += (titles.empty() ? "" : ",") + due.line.title;
  return titles;
}

TEST(ReminderScheduler, TheNextDueTimeAcrossMidnight) {
  const ReminderFacts facts = Facts({"23:55 夜の電話", "会議"}, {"0:05 朝刊", "午前0時半 配達"});
  CReminderScheduler scheduler;
  EXPECT_EQ("", Board(scheduler, At(23, 30), facts));
  EXPECT_EQ(At(23, 45), scheduler.NextLook());
  EXPECT_EQ("夜の電話", Board(scheduler, At(23, 45), facts));
  EXPECT_TRUE(scheduler.BroughtNew());
  EXPECT_EQ(At(23, 55), scheduler.NextLook()) << "tomorrow's line: the lead reaches back over midnight";
  EXPECT_EQ("夜の電話,朝刊", Board(scheduler, At(23, 55, 30), facts));
  EXPECT_EQ(At(0, 0, 0, kToday + 1), scheduler.NextLook()) << "midnight, when the days looked at change";
  EXPECT_EQ("夜の電話,朝刊", Board(scheduler, At(23, 58), facts));
  EXPECT_FALSE(scheduler.BroughtNew()) << "nothing to sound for";
  EXPECT_EQ("夜の電話,朝刊,配達", Board(scheduler, At(0, 0, 0, kToday + 1), facts, 60));
}

TEST(ReminderScheduler, MissedWithinTheHourAndNotPastIt) {
  const struct {
    int64_t firstLook;
    const char* when;  // nullptr: not shown
    bool missed;
  } cases[] = {
      {At(9, 49), nullptr, false},
      {At(9, 50), "（あと10分）", false},
      {At(10, 0, 30), "（今）", false},
      {At(10, 1), "（見逃し・1分前）", true},
      {At(10, 59, 59), "（見逃し・59分前）", true},
      {At(11, 0), nullptr, false},
  };
  for (const auto& c : cases) {
    CReminderScheduler scheduler;
    scheduler.Look(c.firstLook, 10, Facts({"10:00 会議"}));
    ASSERT_EQ(c.when != nullptr, scheduler.Board().size() == 1) << c.firstLook;
    if (c.when == nullptr) continue;
    EXPECT_EQ(c.missed, scheduler.Board().front().missed);
    EXPECT_EQ(std::string("12月9日(水)  10:00  会議  ") + c.when, ReminderItemText(scheduler.Board().front()));
  }
}

TEST(ReminderScheduler, AfterASleepOfAnHourOnlyWhatIsLessThanAnHourPast) {
  const ReminderFacts facts = Facts({"9:00 朝礼", "10:00 会議", "11:30 来客"});
  CReminderScheduler scheduler;
  EXPECT_EQ("", Board(scheduler, At(8, 40), facts));
  EXPECT_EQ("会議", Board(scheduler, At(10, 30), facts));
  EXPECT_TRUE(scheduler.Board().front().missed);
  EXPECT_EQ(At(11, 20), scheduler.NextLook());
  EXPECT_EQ("会議,来客", Board(scheduler, At(11, 25), facts)) << "one shown stays until it is dismissed";
  EXPECT_EQ("10:00 会議（ほか1件）", ReminderTitle(scheduler.Board()));
}

TEST(ReminderScheduler, DismissedOnceAndNeverAgainNotEvenWithTheClockSetBack) {
  ReminderFacts facts = Facts({"10:00 会議", "10:00 会議"});
  CReminderScheduler scheduler;
  EXPECT_EQ("会議", Board(scheduler, At(9, 50), facts)) << "the same line twice is one reminder";
  const std::vector<ReminderOccurrence> dismissed = scheduler.DismissBoard();
  ASSERT_EQ(2u, dismissed.size()) << "both lines";
  for (int64_t now : {At(9, 52), At(9, 30), At(9, 51)}) EXPECT_EQ("", Board(scheduler, now, facts)) << now;
  // After a restart the dismissed set alone keeps it away.
  for (const ReminderOccurrence& occurrence : dismissed) facts.dismissed.Add(occurrence, "pc");
  CReminderScheduler restarted;
  EXPECT_EQ("", Board(restarted, At(10, 5), facts));
}

TEST(ReminderScheduler, SnoozedUntilItsTimeByTheClockWhereverTheClockGoes) {
  const ReminderFacts facts = Facts({"10:00 会議"});
  CReminderScheduler scheduler;
  Board(scheduler, At(9, 50), facts);
  scheduler.SnoozeBoard(At(9, 55));
  EXPECT_EQ(At(9, 55), scheduler.NextLook());
  EXPECT_EQ("", Board(scheduler, At(9, 54, 59), facts));
  EXPECT_EQ("", Board(scheduler, At(9, 40), facts)) << "the clock set back";
  EXPECT_EQ("会議", Board(scheduler, At(9, 55), facts));
  EXPECT_TRUE(scheduler.BroughtNew());
  scheduler.SnoozeBoard(At(11, 30));
  EXPECT_EQ("会議", Board(scheduler, At(11, 30), facts)) << "snoozed past the hour, it comes back as asked";
}

TEST(ReminderScheduler, ALineClearedOrChangedBeforeItsTimeAndOneThatArrives) {
  CReminderScheduler scheduler;
  Board(scheduler, At(9, 40), Facts({"10:00 会議", "11:00 来客"}));
  EXPECT_EQ("", Board(scheduler, At(9, 50), Facts({"", "11:00 来客"}))) << "cleared";
  EXPECT_EQ("来客は中止", Board(scheduler, At(10, 50), Facts({"", "11:00 来客は中止"}))) << "changed";
  EXPECT_EQ("", Board(scheduler, At(10, 51), Facts({"", "11:15 来客"}))) << "changed on the board";
  EXPECT_EQ("電話", Board(scheduler, At(10, 52), Facts({"10:55 電話", "11:15 来客"}))) << "from the other PC";
  EXPECT_TRUE(scheduler.BroughtNew());
}

// At 10:25 with a ten-minute lead, a line typed is stored at every pause in typing.
TEST(ReminderScheduler, AReminderIsItsDayPlaceAndTimeWhateverItsText) {
  const struct {
    const char* line;
    const char* board;
    bool sound;
    bool dismissed;  // then dismissed
  } steps[] = {
      {"10:30 電", "電", true, false},
      {"10:30 電話", "電話", false, true},
      {"10:30 電話する", "", false, false},
      {"10:35 電話する", "電話する", true, false},
      {"10:35 電話をする", "電話をする", false, false},
      {"", "", false, false},
  };
  CReminderScheduler scheduler;
  CDismissedSet dismissed;
  int64_t now = At(10, 25);
  for (const auto& step : steps) {
    EXPECT_EQ(step.board, Board(scheduler, now += 2, Facts({step.line}, {}, dismissed))) << step.line;
    EXPECT_EQ(step.sound, scheduler.BroughtNew()) << step.line;
    if (!step.dismissed) continue;
    for (const ReminderOccurrence& occurrence : scheduler.DismissBoard()) dismissed.Add(occurrence, "pc");
    CReminderScheduler restarted;
    EXPECT_EQ("", Board(restarted, now, Facts({"10:30 電話だけ"}, {}, dismissed))) << "after a restart too";
  }
  // What earlier versions wrote, the date, the time and a hash of the text, still keeps that text away.
  char entry[96];
  std::snprintf(entry, sizeof entry, "Plannix dismissed reminders 1\r\n2026-12-09 10:30 %016llx\r\n",
                static_cast<unsigned long long>(HashLineText("10:30 電話", kLineSize)));
  CDismissedSet earlier;
  ASSERT_TRUE(earlier.AddFileBytes(entry));
  for (const auto& c : {std::make_pair("10:30 電話", ""), std::make_pair("10:30 電話する", "電話する")}) {
    CReminderScheduler restarted;
    EXPECT_EQ(c.second, Board(restarted, At(10, 25), Facts({"", "", c.first}, {}, earlier))) << c.first;
  }
}

TEST(ReminderScheduler, ADayThatCannotBeToldTakesNothingOffTheBoard) {
  ReminderFacts unknown = Facts({});
  unknown.daysUnknown = {kToday};
  CReminderScheduler scheduler;
  EXPECT_EQ("会議", Board(scheduler, At(10, 50), Facts({"10:00 会議"})));
  EXPECT_EQ("会議", Board(scheduler, At(10, 51), unknown)) << "its month file is being written anew";
  EXPECT_EQ("会議", Board(scheduler, At(11, 5), Facts({"10:00 会議"}))) << "past its hour, still up";
  EXPECT_FALSE(scheduler.BroughtNew()) << "and no second sound";
  EXPECT_EQ("", Board(scheduler, At(11, 6), Facts({}))) << "the line cleared";
}

TEST(ReminderScheduler, WhileWhatWasDismissedIsUnknownOnlyWhatFallsDueLater) {
  ReminderFacts facts = Facts({"10:00 会議", "10:30 来客"});
  facts.dismissedKnown = false;
  CReminderScheduler scheduler;
  EXPECT_EQ("", Board(scheduler, At(10, 5), facts)) << "it may have been dismissed before";
  EXPECT_EQ("来客", Board(scheduler, At(10, 20), facts));
  facts.dismissedKnown = true;
  EXPECT_EQ("会議,来客", Board(scheduler, At(10, 21), facts));
}

TEST(ReminderScheduler, TheLeadOffOrChosen) {
  const struct {
    int lead;
    int64_t now;
    const char* board;
  } cases[] = {{kRemindersOff, At(10, 0), ""}, {0, At(9, 59), ""},     {0, At(10, 0), "会議"}, {60, At(8, 59), ""},
               {60, At(9, 0), "会議"},         {15, At(9, 45), "会議"}};
  for (const auto& c : cases) {
    CReminderScheduler scheduler;
    EXPECT_EQ(c.board, Board(scheduler, c.now, Facts({"10:00 会議"}), c.lead)) << c.lead << " at " << c.now;
  }
}

TEST(ReminderLead, StoredValues) {
  const struct {
    const char* stored;
    int lead;
  } cases[] = {
      {nullptr, 10}, {"", 10},   {"off", kRemindersOff}, {" 5 ", 5}, {"0", 0}, {"60", 60}, {"7", 10}, {"-1", 10},
      {"600", 10},   {"OFF", 10}};
  for (const auto& c : cases) EXPECT_EQ(c.lead, ParseReminderLead(c.stored)) << (c.stored ? c.stored : "(none)");
  for (int lead : g_ReminderLeads) {
    EXPECT_LE(FormatReminderLead(lead).size(), 7u);
    EXPECT_EQ(lead, ParseReminderLead(FormatReminderLead(lead).c_str()));
  }
}

}  // namespace
