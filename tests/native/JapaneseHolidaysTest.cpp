#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calendar/Equinox.h"
#include "calendar/HolidayYear.h"

namespace {

struct ExpectedHoliday {
  int month;
  int day;
  std::string name;
};

struct YearCase {
  int year;
  std::vector<ExpectedHoliday> holidays;  // the whole year, in date order
};

// Whole years as their calendars printed them: the years the law changed and
// one under today's rules; the years between are checked rule by rule below.
const YearCase kYearCases[] = {
    {1948, {{9, 23, "秋分の日"}, {11, 3, "文化の日"}, {11, 23, "勤労感謝の日"}}},
    {1959,
     {{1, 1, "元日"},
      {1, 15, "成人の日"},
      {3, 21, "春分の日"},
      {4, 10, "皇太子明仁親王の結婚の儀"},
      {4, 29, "天皇誕生日"},
      {5, 3, "憲法記念日"},
      {5, 5, "こどもの日"},
      {9, 24, "秋分の日"},
      {11, 3, "文化の日"},
      {11, 23, "勤労感謝の日"}}},
    {1989,
     {{1, 1, "元日"},
      {1, 2, "振替休日"},
      {1, 15, "成人の日"},
      {1, 16, "振替休日"},
      {2, 11, "建国記念の日"},
      {2, 24, "昭和天皇の大喪の礼"},
      {3, 21, "春分の日"},
      {4, 29, "みどりの日"},
      {5, 3, "憲法記念日"},
      {5, 4, "国民の休日"},
      {5, 5, "こどもの日"},
      {9, 15, "敬老の日"},
      {9, 23, "秋分の日"},
      {10, 10, "体育の日"},
      {11, 3, "文化の日"},
      {11, 23, "勤労感謝の日"},
      {12, 23, "天皇誕生日"}}},
    {2007,
     {{1, 1, "元日"},
      {1, 8, "成人の日"},
      {2, 11, "建国記念の日"},
      {2, 12, "振替休日"},
      {3, 21, "春分の日"},
      {4, 29, "昭和の日"},
      {4, 30, "振替休日"},
      {5, 3, "憲法記念日"},
      {5, 4, "みどりの日"},
      {5, 5, "こどもの日"},
      {7, 16, "海の日"},
      {9, 17, "敬老の日"},
      {9, 23, "秋分の日"},
      {9, 24, "振替休日"},
      {10, 8, "体育の日"},
      {11, 3, "文化の日"},
      {11, 23, "勤労感謝の日"},
      {12, 23, "天皇誕生日"},
      {12, 24, "振替休日"}}},
    {2016,
     {{1, 1, "元日"},
      {1, 11, "成人の日"},
      {2, 11, "建国記念の日"},
      {3, 20, "春分の日"},
      {3, 21, "振替休日"},
      {4, 29, "昭和の日"},
      {5, 3, "憲法記念日"},
      {5, 4, "みどりの日"},
      {5, 5, "こどもの日"},
      {7, 18, "海の日"},
      {8, 11, "山の日"},
      {9, 19, "敬老の日"},
      {9, 22, "秋分の日"},
      {10, 10, "体育の日"},
      {11, 3, "文化の日"},
      {11, 23, "勤労感謝の日"},
      {12, 23, "天皇誕生日"}}},
    {2019,
     {{1, 1, "元日"},
      {1, 14, "成人の日"},
      {2, 11, "建国記念の日"},
      {3, 21, "春分の日"},
      {4, 29, "昭和の日"},
      {4, 30, "国民の休日"},
      {5, 1, "天皇の即位の日"},
      {5, 2, "国民の休日"},
      {5, 3, "憲法記念日"},
      {5, 4, "みどりの日"},
      {5, 5, "こどもの日"},
      {5, 6, "振替休日"},
      {7, 15, "海の日"},
      {8, 11, "山の日"},
      {8, 12, "振替休日"},
      {9, 16, "敬老の日"},
      {9, 23, "秋分の日"},
      {10, 14, "体育の日"},
      {10, 22, "即位礼正殿の儀"},
      {11, 3, "文化の日"},
      {11, 4, "振替休日"},
      {11, 23, "勤労感謝の日"}}},
    {2020,
     {{1, 1, "元日"},
      {1, 13, "成人の日"},
      {2, 11, "建国記念の日"},
      {2, 23, "天皇誕生日"},
      {2, 24, "振替休日"},
      {3, 20, "春分の日"},
      {4, 29, "昭和の日"},
      {5, 3, "憲法記念日"},
      {5, 4, "みどりの日"},
      {5, 5, "こどもの日"},
      {5, 6, "振替休日"},
      {7, 23, "海の日"},
      {7, 24, "スポーツの日"},
      {8, 10, "山の日"},
      {9, 21, "敬老の日"},
      {9, 22, "秋分の日"},
      {11, 3, "文化の日"},
      {11, 23, "勤労感謝の日"}}},
    {2021,
     {{1, 1, "元日"},
      {1, 11, "成人の日"},
      {2, 11, "建国記念の日"},
      {2, 23, "天皇誕生日"},
      {3, 20, "春分の日"},
      {4, 29, "昭和の日"},
      {5, 3, "憲法記念日"},
      {5, 4, "みどりの日"},
      {5, 5, "こどもの日"},
      {7, 22, "海の日"},
      {7, 23, "スポーツの日"},
      {8, 8, "山の日"},
      {8, 9, "振替休日"},
      {9, 20, "敬老の日"},
      {9, 23, "秋分の日"},
      {11, 3, "文化の日"},
      {11, 23, "勤労感謝の日"}}},
    {2026,
     {{1, 1, "元日"},
      {1, 12, "成人の日"},
      {2, 11, "建国記念の日"},
      {2, 23, "天皇誕生日"},
      {3, 20, "春分の日"},
      {4, 29, "昭和の日"},
      {5, 3, "憲法記念日"},
      {5, 4, "みどりの日"},
      {5, 5, "こどもの日"},
      {5, 6, "振替休日"},
      {7, 20, "海の日"},
      {8, 11, "山の日"},
      {9, 21, "敬老の日"},
      {9, 22, "国民の休日"},
      {9, 23, "秋分の日"},
      {10, 12, "スポーツの日"},
      {11, 3, "文化の日"},
      {11, 23, "勤労感謝の日"}}},
};

std::string Listing(const std::vector<ExpectedHoliday>& holidays) {
  std::string text;
  for (const ExpectedHoliday& h : holidays) {
    text += std::to_string(h.month) + "/" + std::to_string(h.day) + " " + h.name + "\n";
  }
  return text;
}

std::string Listing(const CHolidayYear& year) {
  std::vector<ExpectedHoliday> holidays;
  for (const Holiday& h : year.Holidays()) holidays.push_back({h.month, h.day, h.name});
  return Listing(holidays);
}

TEST(JapaneseHolidaysTest, WholeYearsListEveryHolidayAndIsHolidayAgreesOnEveryDay) {
  for (const YearCase& c : kYearCases) {
    CHolidayYear year(c.year);
    EXPECT_EQ(Listing(c.holidays), Listing(year)) << c.year;
    for (int month = 1; month <= kMonthsInYear; ++month) {
      for (int day = 1; day <= DaysInMonth(c.year, month); ++day) {
        bool listed = false;
        for (const ExpectedHoliday& h : c.holidays) listed = listed || (h.month == month && h.day == day);
        EXPECT_EQ(listed, year.IsHoliday(month, day)) << c.year << "-" << month << "-" << day;
        EXPECT_EQ(listed, year.NameOf(month, day) != nullptr) << c.year << "-" << month << "-" << day;
      }
    }
  }
}

struct DayCase {
  const char* why;
  int year;
  int month;
  int day;
  const char* name;  // nullptr: a working day
};

const DayCase kDayCases[] = {
    // Substitute holidays: none before 12 April 1973, then the Monday only,
    // from 2007 the next day that is no holiday.
    {"sundayBeforeSubstitutes", 1973, 2, 12, nullptr},
    {"firstSubstitute", 1973, 4, 30, "振替休日"},
    {"mondaySubstitute1987", 1987, 5, 4, "振替休日"},
    {"mondaySubstituteBeatsCitizens", 1998, 5, 4, "振替休日"},
    {"noSubstituteBeyondMonday1998", 1998, 5, 6, nullptr},
    {"sundayGreeneryToTuesday", 2008, 5, 6, "振替休日"},
    {"sundayConstitutionToWednesday", 2009, 5, 6, "振替休日"},
    {"mondayAfterHealthSportsDay1999", 1999, 10, 11, "振替休日"},
    {"mondayAfterRespectForAged2002", 2002, 9, 16, "振替休日"},
    {"mondayAfterEmperor2018", 2018, 12, 24, "振替休日"},
    // Citizens' holidays from 1986: none on a Sunday before 2007.
    {"beforeCitizensLaw", 1985, 5, 4, nullptr},
    {"citizensSundayNotCounted", 1986, 5, 4, nullptr},
    {"firstCitizensHoliday", 1988, 5, 4, "国民の休日"},
    {"lastMay4Citizens", 2006, 5, 4, "国民の休日"},
    {"silverWeek2009", 2009, 9, 22, "国民の休日"},
    // Days added, moved and renamed by the law.
    {"respectForAgedNotYet", 1965, 9, 15, nullptr},
    {"firstRespectForAged", 1966, 9, 15, "敬老の日"},
    {"firstHealthSports", 1966, 10, 10, "体育の日"},
    {"foundationNotYet", 1966, 2, 11, nullptr},
    {"firstFoundationDay", 1967, 2, 11, "建国記念の日"},
    {"lastShowaBirthday", 1988, 4, 29, "天皇誕生日"},
    {"lastFixedComingOfAge", 1999, 1, 15, "成人の日"},
    {"firstHappyMondayComingOfAge", 2000, 1, 10, "成人の日"},
    {"oldComingOfAgeGone", 2000, 1, 15, nullptr},
    {"firstHappyMondaySports", 2000, 10, 9, "体育の日"},
    {"marineNotYet", 1995, 7, 20, nullptr},
    {"firstMarineDay", 1996, 7, 20, "海の日"},
    {"lastFixedMarineDay", 2002, 7, 20, "海の日"},
    {"firstHappyMondayMarine", 2003, 7, 21, "海の日"},
    {"firstHappyMondayAged", 2003, 9, 15, "敬老の日"},
    {"mountainNotYet", 2015, 8, 11, nullptr},
    {"sportsDayBackInOctober", 2022, 10, 10, "スポーツの日"},
    {"oneOffWedding1993", 1993, 6, 9, "皇太子徳仁親王の結婚の儀"},
    {"oneOffEnthronement1990", 1990, 11, 12, "即位礼正殿の儀"},
};

TEST(JapaneseHolidaysTest, RulesTakeEffectInTheirYear) {
  for (const DayCase& c : kDayCases) {
    CHolidayYear year(c.year);
    const char* name = year.NameOf(c.month, c.day);
    EXPECT_EQ(c.name != nullptr, year.IsHoliday(c.month, c.day)) << c.why;
    EXPECT_EQ(std::string(c.name ? c.name : "-"), std::string(name ? name : "-")) << c.why;
  }
}

struct EquinoxCase {
  int year;
  int vernal;    // day of March
  int autumnal;  // day of September
};

// The years of the whole-year lists are checked there.
const EquinoxCase kEquinoxCases[] = {
    {1960, 20, 23}, {1979, 21, 24}, {2012, 20, 22}, {2023, 21, 23}, {2024, 20, 22},
    {2044, 20, 22}, {2092, 19, 22}, {1899, 0, 0},   {2151, 0, 0},
};

TEST(JapaneseHolidaysTest, EquinoxDaysAcrossTheFormulasYears) {
  for (const EquinoxCase& c : kEquinoxCases) {
    EXPECT_EQ(c.vernal, VernalEquinoxDay(c.year)) << c.year;
    EXPECT_EQ(c.autumnal, AutumnalEquinoxDay(c.year)) << c.year;
  }
}

TEST(JapaneseHolidaysTest, YearsOutsideTheLawHaveNone) {
  for (int year : {1, 1900, 1947, 2151, 65535}) {
    CHolidayYear table(year);
    EXPECT_TRUE(table.Holidays().empty()) << year;
    EXPECT_FALSE(table.IsHoliday(1, 1)) << year;
  }
}

TEST(JapaneseHolidaysTest, ImpossibleDaysAreNoHolidays) {
  CHolidayYear year(2026);
  const int kBadDays[][2] = {{0, 1}, {13, 1}, {1, 0}, {1, 32}, {-1, -1}, {5, 99}};
  for (const auto& bad : kBadDays) {
    EXPECT_FALSE(year.IsHoliday(bad[0], bad[1])) << bad[0] << "/" << bad[1];
    EXPECT_EQ(nullptr, year.NameOf(bad[0], bad[1])) << bad[0] << "/" << bad[1];
  }
}

}  // namespace
