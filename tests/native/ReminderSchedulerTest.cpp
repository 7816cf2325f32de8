// What is due when, on a clock the tests hand in: across midnight, after a
// sleep, with the clock set back, as lines change, missed within and past
// the hour, dismissed once.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calendar/DayNumber.h"
#include "reminders/ReminderLead.h"
#include "reminders/ReminderScheduler.h"
#include "reminders/ReminderText.h"
#include "reminders/WallTime.h"

namespace {

const int kToday = DayNumberOf(2026, 12, 9);

int64_t At(int day, int hour, int minute, int second = 0) {
  return WallSecondsOf(day, (hour * 60 + minute) * kSecondsPerMinute + second);
}

// A day's lines as the reminders read them (cp932, through the one reader of times).
void AddDay(ReminderFacts& facts, int day, std::vector<const char*> texts) {
  DayRecord record = {};
  for (size_t line = 0; line < texts.size(); ++line) SetDayLine(record, static_cast<int>(line), texts[line]);
  AppendTimedLines(day, record, facts.lines);
}

ReminderFacts Facts(std::vector<const char*> today, std::vector<const char*> tomorrow = {}) {
  ReminderFacts facts;
  facts.dismissedKnown = true;
  AddDay(facts, kToday, today);
  AddDay(facts, kToday + 1, tomorrow);
  return facts;
}

std::vector<std::string> BoardTitles(const CReminderScheduler& scheduler) {
  std::vector<std::string> titles;
  for (const DueReminder& due : scheduler.Board()) titles.push_back(due.line.title);
  return titles;
}

using TitleList = std::vector<std::string>;

TEST(ReminderScheduler, TheNextDueTimeAcrossMidnight) {
  const ReminderFacts facts = Facts({"23:55 夜の電話", "会議"}, {"0:05 朝刊", "午前0時半 配達"});
  CReminderScheduler scheduler;
  scheduler.Look(At(kToday, 23, 30), 10, facts);
  EXPECT_TRUE(scheduler.Board().empty());
  EXPECT_EQ(At(kToday, 23, 45), scheduler.NextLook());
  scheduler.Look(At(kToday, 23, 45), 10, facts);
  EXPECT_EQ(TitleList{"夜の電話"}, BoardTitles(scheduler));
  EXPECT_TRUE(scheduler.BroughtNew());
  // Tomorrow's line is due before midnight: the lead reaches back over it.
  EXPECT_EQ(At(kToday, 23, 55), scheduler.NextLook());
  scheduler.Look(At(kToday, 23, 55, 30), 10, facts);
  EXPECT_EQ((TitleList{"夜の電話", "朝刊"}), BoardTitles(scheduler));
  EXPECT_EQ(At(kToday + 1, 0, 0), scheduler.NextLook()) << "midnight, when the days looked at change";
  scheduler.Look(At(kToday, 23, 58), 10, facts);
  EXPECT_FALSE(scheduler.BroughtNew()) << "nothing to sound for";
  scheduler.Look(At(kToday + 1, 0, 0), 60, facts);
  EXPECT_EQ((TitleList{"夜の電話", "朝刊", "配達"}), BoardTitles(scheduler));
}

TEST(ReminderScheduler, MissedWithinTheHourAndNotPastIt) {
  struct Case {
    int minutesAfter;  // the first look, from the line's 10:00
    int seconds;
    bool shown;
    bool missed;
    const char* when;
  };
  const Case cases[] = {
      {-11, 0, false, false, nullptr},
      {-10, 0, true, false, "（あと10分）"},
      {0, 30, true, false, "（今）"},
      {1, 0, true, true, "（見逃し・1分前）"},
      {59, 59, true, true, "（見逃し・59分前）"},
      {60, 0, false, false, nullptr},
  };
  for (const Case& c : cases) {
    CReminderScheduler scheduler;
    scheduler.Look(At(kToday, 10, 0) + c.minutesAfter * 60 + c.seconds, 10, Facts({"10:00 会議"}));
    ASSERT_EQ(c.shown, scheduler.Board().size() == 1) << c.minutesAfter;
    if (!c.shown) continue;
    const DueReminder& due = scheduler.Board().front();
    EXPECT_EQ(c.missed, due.missed) << c.minutesAfter;
    EXPECT_EQ(std::string("12月9日(水)  10:00  会議  ") + c.when, ReminderItemText(due));
  }
}

TEST(ReminderScheduler, AfterASleepOfAnHourOnlyWhatIsLessThanAnHourPast) {
  const ReminderFacts facts = Facts({"9:00 朝礼", "10:00 会議", "11:30 来客"});
  CReminderScheduler scheduler;
  scheduler.Look(At(kToday, 8, 40), 10, facts);
  EXPECT_TRUE(scheduler.Board().empty());
  scheduler.Look(At(kToday, 10, 30), 10, facts);
  ASSERT_EQ(TitleList{"会議"}, BoardTitles(scheduler));
  EXPECT_TRUE(scheduler.Board().front().missed);
  EXPECT_EQ(At(kToday, 11, 20), scheduler.NextLook());
  // One shown stays until it is dismissed, however long that takes.
  scheduler.Look(At(kToday, 11, 25), 10, facts);
  EXPECT_EQ((TitleList{"会議", "来客"}), BoardTitles(scheduler));
  EXPECT_EQ("10:00 会議（ほか1件）", ReminderTitle(scheduler.Board()));
}

TEST(ReminderScheduler, DismissedOnceAndNeverAgainNotEvenWithTheClockSetBack) {
  ReminderFacts facts = Facts({"10:00 会議", "10:00 会議"});
  CReminderScheduler scheduler;
  scheduler.Look(At(kToday, 9, 50), 10, facts);
  ASSERT_EQ(TitleList{"会議"}, BoardTitles(scheduler)) << "the same line twice is one reminder";
  const std::vector<ReminderOccurrence> dismissed = scheduler.DismissBoard();
  ASSERT_EQ(1u, dismissed.size());
  for (int64_t now : {At(kToday, 9, 52), At(kToday, 9, 30), At(kToday, 9, 51)}) {
    scheduler.Look(now, 10, facts);
    EXPECT_TRUE(scheduler.Board().empty()) << now;
  }
  // After a restart the dismissed set alone keeps it away.
  facts.dismissed.Add(dismissed.front());
  CReminderScheduler restarted;
  restarted.Look(At(kToday, 10, 5), 10, facts);
  EXPECT_TRUE(restarted.Board().empty());
}

TEST(ReminderScheduler, SnoozedUntilItsTimeByTheClockWhereverTheClockGoes) {
  const ReminderFacts facts = Facts({"10:00 会議"});
  CReminderScheduler scheduler;
  scheduler.Look(At(kToday, 9, 50), 10, facts);
  scheduler.SnoozeBoard(At(kToday, 9, 55));
  EXPECT_EQ(At(kToday, 9, 55), scheduler.NextLook());
  scheduler.Look(At(kToday, 9, 54, 59), 10, facts);
  EXPECT_TRUE(scheduler.Board().empty());
  scheduler.Look(At(kToday, 9, 40), 10, facts);  // the clock set back
  EXPECT_TRUE(scheduler.Board().empty());
  scheduler.Look(At(kToday, 9, 55), 10, facts);
  EXPECT_EQ(TitleList{"会議"}, BoardTitles(scheduler));
  EXPECT_TRUE(scheduler.BroughtNew());
  // Snoozed past the hour, it still comes back, as the user asked.
  scheduler.SnoozeBoard(At(kToday, 11, 30));
  scheduler.Look(At(kToday, 11, 30), 10, facts);
  EXPECT_EQ(TitleList{"会議"}, BoardTitles(scheduler));
}

TEST(ReminderScheduler, ALineClearedOrChangedBeforeItsTimeAndOneThatArrives) {
  CReminderScheduler scheduler;
  scheduler.Look(At(kToday, 9, 40), 10, Facts({"10:00 会議", "11:00 来客"}));
  scheduler.Look(At(kToday, 9, 50), 10, Facts({"", "11:00 来客"}));
  EXPECT_TRUE(scheduler.Board().empty()) << "cleared";
  scheduler.Look(At(kToday, 10, 50), 10, Facts({"", "11:00 来客は中止"}));
  EXPECT_EQ(TitleList{"来客は中止"}, BoardTitles(scheduler)) << "changed: its new text";
  // On the board, and changed there: the old line goes, the new one comes.
  scheduler.Look(At(kToday, 10, 51), 10, Facts({"", "11:15 来客"}));
  EXPECT_TRUE(scheduler.Board().empty());
  // A line that arrives from the other PC is reminded of like one typed here.
  scheduler.Look(At(kToday, 10, 52), 10, Facts({"10:55 電話", "11:15 来客"}));
  EXPECT_EQ(TitleList{"電話"}, BoardTitles(scheduler));
  EXPECT_TRUE(scheduler.BroughtNew());
}

TEST(ReminderScheduler, WhileWhatWasDismissedIsUnknownOnlyWhatFallsDueLater) {
  ReminderFacts facts = Facts({"10:00 会議", "10:30 来客"});
  facts.dismissedKnown = false;
  CReminderScheduler scheduler;
  scheduler.Look(At(kToday, 10, 5), 10, facts);
  EXPECT_TRUE(scheduler.Board().empty()) << "it may have been dismissed before";
  scheduler.Look(At(kToday, 10, 20), 10, facts);
  EXPECT_EQ(TitleList{"来客"}, BoardTitles(scheduler));
  facts.dismissedKnown = true;
  scheduler.Look(At(kToday, 10, 21), 10, facts);
  EXPECT_EQ((TitleList{"会議", "来客"}), BoardTitles(scheduler));
}

TEST(ReminderScheduler, TheLeadOffOrChosen) {
  const ReminderFacts facts = Facts({"10:00 会議"});
  struct Case {
    int lead;
    int hour, minute;
    bool shown;
  };
  const Case cases[] = {{kRemindersOff, 10, 0, false},
                        {0, 9, 59, false},
                        {0, 10, 0, true},
                        {60, 8, 59, false},
                        {60, 9, 0, true},
                        {15, 9, 45, true}};
  for (const Case& c : cases) {
    CReminderScheduler scheduler;
    scheduler.Look(At(kToday, c.hour, c.minute), c.lead, facts);
    EXPECT_EQ(c.shown, !scheduler.Board().empty()) << c.lead << " at " << c.hour << ":" << c.minute;
  }
}

TEST(ReminderLead, StoredValues) {
  struct Case {
    const char* stored;
    int lead;
  };
  const Case cases[] = {{nullptr, 10}, {"", 10},   {"off", kRemindersOff},
                        {" 5 ", 5},    {"0", 0},   {"60", 60},
                        {"7", 10},     {"x", 10},  {"-1", 10},
                        {"600", 10},   {"OFF", 10}};
  for (const Case& c : cases) EXPECT_EQ(c.lead, ParseReminderLead(c.stored)) << (c.stored ? c.stored : "(none)");
  for (int lead : g_ReminderLeads) {
    EXPECT_LE(FormatReminderLead(lead).size(), 7u);
    EXPECT_EQ(lead, ParseReminderLead(FormatReminderLead(lead).c_str()));
  }
}

}  // namespace
