#include "calendar/NationalHolidays.h"

#include <algorithm>

#include "calendar/CalendarFacts.h"
#include "calendar/Equinox.h"

namespace {

constexpr const char* kNewYearsDay = "元日";
constexpr const char* kComingOfAgeDay = "成人の日";
constexpr const char* kFoundationDay = "建国記念の日";
constexpr const char* kEmperorsBirthday = "天皇誕生日";
constexpr const char* kVernalEquinoxDay = "春分の日";
constexpr const char* kGreeneryDay = "みどりの日";
constexpr const char* kShowaDay = "昭和の日";
constexpr const char* kConstitutionDay = "憲法記念日";
constexpr const char* kChildrensDay = "こどもの日";
constexpr const char* kMarineDay = "海の日";
constexpr const char* kMountainDay = "山の日";
constexpr const char* kRespectForTheAgedDay = "敬老の日";
constexpr const char* kAutumnalEquinoxDay = "秋分の日";
constexpr const char* kHealthSportsDay = "体育の日";
constexpr const char* kSportsDay = "スポーツの日";
constexpr const char* kCultureDay = "文化の日";
constexpr const char* kLabourThanksgivingDay = "勤労感謝の日";

struct OneOffHoliday {
  int year;
  Holiday holiday;
};

// Days that special laws made holidays, each counted as a national holiday.
constexpr OneOffHoliday g_OneOffHolidays[] = {
    {1959, {4, 10, "皇太子明仁親王の結婚の儀"}},
    {1989, {2, 24, "昭和天皇の大喪の礼"}},
    {1990, {11, 12, "即位礼正殿の儀"}},
    {1993, {6, 9, "皇太子徳仁親王の結婚の儀"}},
    {2019, {5, 1, "天皇の即位の日"}},
    {2019, {10, 22, "即位礼正殿の儀"}},
};

// The law of 1948 came into force on 20 July 1948.
bool BeforeFirstLaw(int year, int month, int day) {
  return year == kFirstHolidayYear && (month < 7 || (month == 7 && day < 20));
}

// The day of the month of its n-th Monday.
int NthMonday(int year, int month, int n) {
  int firstMonday = 1 + (kDaysInWeek + kMonday - WeekdayOf(year, month, 1)) % kDaysInWeek;
  return firstMonday + kDaysInWeek * (n - 1);
}

void AddSpringDays(int year, std::vector<Holiday>& days) {
  days.push_back({1, 1, kNewYearsDay});
  days.push_back({1, year >= 2000 ? NthMonday(year, 1, 2) : 15, kComingOfAgeDay});
  if (year >= 1967) days.push_back({2, 11, kFoundationDay});
  if (year >= 2020) days.push_back({2, 23, kEmperorsBirthday});
  days.push_back({3, VernalEquinoxDay(year), kVernalEquinoxDay});
  const char* april29 = year <= 1988 ? kEmperorsBirthday : year <= 2006 ? kGreeneryDay : kShowaDay;
  days.push_back({4, 29, april29});
  days.push_back({5, 3, kConstitutionDay});
  if (year >= 2007) days.push_back({5, 4, kGreeneryDay});
  days.push_back({5, 5, kChildrensDay});
}

// 2020 and 2021 moved three days around the Olympic Games.
void AddSummerDays(int year, std::vector<Holiday>& days) {
  if (year == 2020) {
    days.push_back({7, 23, kMarineDay});
    days.push_back({7, 24, kSportsDay});
    days.push_back({8, 10, kMountainDay});
  } else if (year == 2021) {
    days.push_back({7, 22, kMarineDay});
    days.push_back({7, 23, kSportsDay});
    days.push_back({8, 8, kMountainDay});
  } else {
    if (year >= 2003) {
      days.push_back({7, NthMonday(year, 7, 3), kMarineDay});
    } else if (year >= 1996) {
      days.push_back({7, 20, kMarineDay});
    }
    if (year >= 2016) days.push_back({8, 11, kMountainDay});
  }
}

void AddAutumnDays(int year, std::vector<Holiday>& days) {
  if (year >= 1966) days.push_back({9, year >= 2003 ? NthMonday(year, 9, 3) : 15, kRespectForTheAgedDay});
  days.push_back({9, AutumnalEquinoxDay(year), kAutumnalEquinoxDay});
  if (year >= 2022) {
    days.push_back({10, NthMonday(year, 10, 2), kSportsDay});
  } else if (year >= 2000 && year <= 2019) {
    days.push_back({10, NthMonday(year, 10, 2), kHealthSportsDay});
  } else if (year >= 1966 && year <= 1999) {
    days.push_back({10, 10, kHealthSportsDay});
  }
  days.push_back({11, 3, kCultureDay});
  days.push_back({11, 23, kLabourThanksgivingDay});
  if (year >= 1989 && year <= 2018) days.push_back({12, 23, kEmperorsBirthday});
}

}  // namespace

std::vector<Holiday> NationalHolidaysOf(int year) {
  std::vector<Holiday> days;
  if (year < kFirstHolidayYear || year > kLastHolidayYear) return days;
  AddSpringDays(year, days);
  AddSummerDays(year, days);
  AddAutumnDays(year, days);
  for (const OneOffHoliday& oneOff : g_OneOffHolidays) {
    if (oneOff.year == year) days.push_back(oneOff.holiday);
  }
  auto beforeFirstLaw = [year](const Holiday& h) { return BeforeFirstLaw(year, h.month, h.day); };
  days.erase(std::remove_if(days.begin(), days.end(), beforeFirstLaw), days.end());
  return days;
}
