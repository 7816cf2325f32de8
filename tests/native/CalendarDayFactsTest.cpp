#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "ui/core/DayFacts.h"

namespace {

// Answers holidays from a set and today from a fixed date; writes down
// every question as "H<code>:<a>,<b>,<c>" or "C<code>".
class CQuestionLog : public CToolHost {
 public:
  CQuestionLog(int todayYear, int todayMonth, int todayDay, std::set<int> holidays)
      : m_today{todayYear, todayMonth, todayDay}, m_holidays(std::move(holidays)) {}

  int GetSetting(int, const char*, char* value) override {
    value[0] = '\0';
    return 0;
  }
  int SetSetting(int, const char*, const char*) override { return 0; }
  const char* GetDataDirectory(int, int) override { return ""; }
  intptr_t CalendarQuery(int code, intptr_t, intptr_t) override {
    m_log.push_back("C" + std::to_string(code));
    return code <= 2 ? m_today[code] : 0;
  }
  int HolidayQuery(int code, int a, int b, int c) override {
    m_log.push_back("H" + std::to_string(code) + ":" + std::to_string(a) + "," + std::to_string(b) + "," +
                    std::to_string(c));
    return code == 2 && m_holidays.count(b) != 0 ? 1 : 0;
  }

  const std::vector<std::string>& Log() const { return m_log; }

 private:
  int m_today[3];
  std::set<int> m_holidays;  // days of the month asked about
  std::vector<std::string> m_log;
};

struct FactsCase {
  const char* name;
  int todayYear, todayMonth, todayDay;
  int day, column;
  ColorRef colour;
  std::vector<std::string> questions;
};

const std::vector<std::string> kHolidayQuestion21 = {"H0:2010,0,0", "H2:3,21,2010", "H1:2010,0,0"};

std::vector<std::string> Then(std::vector<std::string> first, const std::vector<std::string>& rest) {
  first.insert(first.end(), rest.begin(), rest.end());
  return first;
}

// March 2010; the host calls the 21st (a Sunday) and the 20th (a Saturday) holidays.
const FactsCase kFactsCases[] = {
    {"otherDayStopsAtDay", 2010, 3, 5, 21, 0, 0x000000FF, Then(kHolidayQuestion21, {"C2"})},
    {"sameDayOtherMonthStopsAtMonth", 2010, 4, 21, 21, 0, 0x000000FF, Then(kHolidayQuestion21, {"C2", "C1"})},
    {"sameDayOtherYear", 2011, 3, 21, 21, 0, 0x000000FF, Then(kHolidayQuestion21, {"C2", "C1", "C0"})},
    {"todayOnHolidaySunday", 2010, 3, 21, 21, 0, 0x0000FF00, Then(kHolidayQuestion21, {"C2", "C1", "C0"})},
    {"holidayOnSaturday", 2010, 3, 5, 20, 6, 0x000000FF,
     {"H0:2010,0,0", "H2:3,20,2010", "H1:2010,0,0", "C2"}},
    {"plainSaturday", 2010, 3, 5, 13, 6, 0x00C80000,
     {"H0:2010,0,0", "H2:3,13,2010", "H1:2010,0,0", "C2"}},
    {"todayOnWeekday", 2010, 3, 5, 5, 5, 0x0000FF00,
     {"H0:2010,0,0", "H2:3,5,2010", "H1:2010,0,0", "C2", "C1", "C0"}},
};

TEST(CalendarDayFactsTest, ColourAndTheQuestionsBehindIt) {
  for (const FactsCase& c : kFactsCases) {
    SCOPED_TRACE(c.name);
    CQuestionLog host(c.todayYear, c.todayMonth, c.todayDay, {20, 21});
    EXPECT_EQ(AskDayNumberColour(host, 2010, 3, c.day, c.column, ThemePalette(0), false), c.colour);
    EXPECT_EQ(host.Log(), c.questions);
  }
}

TEST(CalendarDayFactsTest, MonthBracketEnclosesCellBrackets) {
  CQuestionLog host(2010, 3, 5, {});
  {
    CHolidayBracket month(host, 2010);
    EXPECT_FALSE(AskIsHoliday(host, 2010, 3, 1));
  }
  const std::vector<std::string> expected = {"H0:2010,0,0", "H0:2010,0,0", "H2:3,1,2010", "H1:2010,0,0",
                                             "H1:2010,0,0"};
  EXPECT_EQ(host.Log(), expected);
}

}  // namespace
