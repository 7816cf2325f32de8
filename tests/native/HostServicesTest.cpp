#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>

#include "calendar/CalendarFacts.h"
#include "host/core/HostServices.h"
#include "host/core/MemorySettingsStore.h"

namespace {

DateRecord Date(int year, int month, int day) {
  DateRecord date;
  date.wYear = static_cast<uint16_t>(year);
  date.wMonth = static_cast<uint16_t>(month);
  date.wDay = static_cast<uint16_t>(day);
  return date;
}

intptr_t Pointer(const void* p) { return reinterpret_cast<intptr_t>(p); }

std::string Text(intptr_t result) { return reinterpret_cast<const char*>(result); }

// A host on a store of its own, for the tests that need nothing else.
class HostServicesTest : public ::testing::Test {
 protected:
  CMemorySettingsStore store;
  CHostServices host{store, "C:\\Data"};
};

struct SettingCase {
  const char* name;
  std::string stored;
  std::string read;
};

// "あ" is 0x82 0xA0.
const SettingCase kSettingCases[] = {
    {"decimal", "12", "12"},
    {"negative", "-120", "-120"},
    {"sevenFit", "1234567", "1234567"},
    {"cutToSeven", "123456789", "1234567"},
    {"pairNotSplit", "123456\x82\xA0", "123456"},
    {"empty", "", ""},
};

TEST_F(HostServicesTest, GetSettingWritesAtMostSevenCharactersAndAZero) {
  for (const SettingCase& c : kSettingCases) {
    host.SetSetting(kToolId, "WndPosX", c.stored.c_str());
    char buffer[kSettingValueSize + 4];
    std::memset(buffer, 'Z', sizeof buffer);
    host.GetSetting(kToolId, "WndPosX", buffer);
    EXPECT_EQ(c.read, std::string(buffer)) << c.name;
    for (size_t i = kSettingValueSize; i < sizeof buffer; ++i) EXPECT_EQ('Z', buffer[i]) << c.name;
  }
}

TEST_F(HostServicesTest, MissingKeysReadEmptyAndToolsDoNotShareKeys) {
  host.SetSetting(kToolId, "BackColor", "2");
  char value[kSettingValueSize] = "junk";
  host.GetSetting(kToolId, "DspLanguage", value);
  EXPECT_STREQ("", value);
  std::strcpy(value, "junk");
  host.GetSetting(kToolId + 1, "BackColor", value);
  EXPECT_STREQ("", value);
  host.GetSetting(kToolId, "BackColor", value);
  EXPECT_STREQ("2", value);

  host.SetSetting(kToolId, "BackColor", "3");
  host.GetSetting(kToolId, "BackColor", value);
  EXPECT_STREQ("3", value);
}

TEST_F(HostServicesTest, NullArgumentsToSettingsAreRefused) {
  EXPECT_EQ(0, host.SetSetting(kToolId, nullptr, "1"));
  EXPECT_EQ(0, host.SetSetting(kToolId, "WndPosX", nullptr));
  EXPECT_EQ(0, host.GetSetting(kToolId, "WndPosX", nullptr));
  char value[kSettingValueSize] = "junk";
  EXPECT_EQ(0, host.GetSetting(kToolId, nullptr, value));
  EXPECT_STREQ("", value);
  std::string stored;
  EXPECT_FALSE(store.Get(kToolId, "WndPosX", stored));
}

struct DirectoryCase {
  std::string given;
  std::string returned;
};

// 0x95 0x5C is a two-byte character whose trail byte is a backslash.
const DirectoryCase kDirectoryCases[] = {
    {"C:\\Data", "C:\\Data"},
    {"C:\\Data\\", "C:\\Data"},
    {"C:\\Data\\\\", "C:\\Data"},
    {"/home/q/data/", "/home/q/data"},
    {"D:\\\x95\x5C", "D:\\\x95\x5C"},
    {"D:\\\x95\x5C\\", "D:\\\x95\x5C"},
    {"", ""},
};

TEST_F(HostServicesTest, DataDirectoryHasNoTrailingSeparator) {
  for (const DirectoryCase& c : kDirectoryCases) {
    CHostServices given(store, c.given);
    EXPECT_EQ(c.returned, std::string(given.GetDataDirectory(1, 0))) << c.given;
  }
}

TEST_F(HostServicesTest, TodayComesFromTheOverrideWithItsWeekday) {
  CHostServices march5(store, "C:\\Data", Date(2026, 3, 5));
  EXPECT_EQ(2026, march5.CalendarQuery(kCalTodayYear, 0, 0));
  EXPECT_EQ(3, march5.CalendarQuery(kCalTodayMonth, 0, 0));
  EXPECT_EQ(5, march5.CalendarQuery(kCalTodayDay, 0, 0));
  EXPECT_EQ(kThursday, march5.CalendarQuery(kCalTodayWeekday, 0, 0));
}

TEST_F(HostServicesTest, TodayWithoutOverrideIsARealDate) {
  DateRecord today = host.Today();
  EXPECT_GE(today.wYear, 2024);
  EXPECT_EQ(WeekdayOf(today.wYear, today.wMonth, today.wDay), today.wDayOfWeek);
}

struct QueryCase {
  const char* name;
  int code;
  intptr_t a;
  intptr_t b;
  intptr_t result;
};

TEST_F(HostServicesTest, CalendarQueryAnswersNumbersAndRefusesBadArguments) {
  const DateRecord january2026 = Date(2026, 1, 20);
  const DateRecord month13 = Date(2026, 13, 1);
  const QueryCase cases[] = {
      {"prevOfJanuary", kCalPrevMonthFirstWeekday, Pointer(&january2026), 0, kMonday},
      {"nextOfJanuary", kCalNextMonthFirstWeekday, Pointer(&january2026), 0, kSunday},
      {"prevOfMonth13", kCalPrevMonthFirstWeekday, Pointer(&month13), 0, -1},
      {"prevOfNull", kCalPrevMonthFirstWeekday, 0, 0, -1},
      {"nextOfNull", kCalNextMonthFirstWeekday, 0, 0, -1},
      {"februaryLeap", kCalDaysInMonth, 2024, 2, 29},
      {"month13", kCalDaysInMonth, 2026, 13, 0},
      {"yearZero", kCalDaysInMonth, 0, 1, 0},
      {"negativeMonth", kCalDaysInMonth, 2026, -2, 0},
      {"unknownCode", 3, 0, 0, 0},
      {"gridNull", kCalFillMonthGrid, 0, Pointer(&january2026), 0},
  };
  for (const QueryCase& c : cases) {
    EXPECT_EQ(c.result, host.CalendarQuery(c.code, c.a, c.b)) << c.name;
  }
}

TEST_F(HostServicesTest, CalendarQueryNamesAreTextPointers) {
  EXPECT_EQ("March", Text(host.CalendarQuery(kCalMonthName, 3, 0)));
  EXPECT_EQ("3月", Text(host.CalendarQuery(kCalMonthName, 3, 1)));
  EXPECT_EQ("Fri", Text(host.CalendarQuery(kCalWeekdayName, 5, 0)));
  EXPECT_EQ("金", Text(host.CalendarQuery(kCalWeekdayName, 5, 1)));
}

TEST_F(HostServicesTest, FillMonthGridThroughTheQuery) {
  MonthGrid grid;
  const DateRecord may2026 = Date(2026, 5, 1);
  host.CalendarQuery(kCalFillMonthGrid, Pointer(&grid), Pointer(&may2026));
  EXPECT_EQ(1, grid.At(0, kFriday));
  EXPECT_EQ(31, grid.At(5, kSunday));

  // A null date clears the grid.
  host.CalendarQuery(kCalFillMonthGrid, Pointer(&grid), 0);
  for (unsigned char cell : grid.cells) EXPECT_EQ(0, cell);
}

TEST_F(HostServicesTest, NestedHolidayBracketsBalanceAndAnswer) {
  host.HolidayQuery(kHolidayOpen, 2026, 0, 0);  // around the whole month
  for (int day = 1; day <= 7; ++day) {
    host.HolidayQuery(kHolidayOpen, 2026, 0, 0);  // around one cell
    bool expected = day >= 3 && day <= 6;          // 3, 4, 5 May and the substitute 6
    EXPECT_EQ(expected, host.HolidayQuery(kHolidayIsHoliday, 5, day, 2026) != 0) << day;
    host.HolidayQuery(kHolidayClose, 2026, 0, 0);
  }
  host.HolidayQuery(kHolidayClose, 2026, 0, 0);

  HolidayBracketCounts counts = host.HolidayBrackets();
  EXPECT_EQ(8, counts.opens);
  EXPECT_EQ(8, counts.closes);
  EXPECT_EQ(0, counts.unmatchedCloses);
  EXPECT_EQ(0, counts.queriesOutsideBracket);
}

TEST_F(HostServicesTest, HolidayQueriesOutsideABracketStillAnswerAndAreCounted) {
  EXPECT_NE(0, host.HolidayQuery(kHolidayIsHoliday, 2, 23, 2026));
  host.HolidayQuery(kHolidayOpen, 2026, 0, 0);
  EXPECT_NE(0, host.HolidayQuery(kHolidayIsHoliday, 9, 22, 2026));
  EXPECT_EQ(0, host.HolidayQuery(kHolidayIsHoliday, 9, 22, 2025));  // 2025 is not open
  host.HolidayQuery(kHolidayClose, 2026, 0, 0);
  host.HolidayQuery(kHolidayClose, 2026, 0, 0);
  EXPECT_EQ(0, host.HolidayQuery(kHolidayIsHoliday, 13, 1, 2026));
  EXPECT_EQ(0, host.HolidayQuery(kHolidayIsHoliday, 1, 1, 1900));
  EXPECT_EQ(0, host.HolidayQuery(7, 1, 1, 2026));

  HolidayBracketCounts counts = host.HolidayBrackets();
  EXPECT_EQ(1, counts.opens);
  EXPECT_EQ(2, counts.closes);
  EXPECT_EQ(1, counts.unmatchedCloses);
  EXPECT_EQ(4, counts.queriesOutsideBracket);
}

TEST_F(HostServicesTest, TwoThreadsShareSettingsAndHolidays) {
  constexpr int kRounds = 20000;
  std::atomic<bool> start{false};
  auto work = [this, &start](const char* key) {
    while (!start) std::this_thread::yield();
    for (int i = 0; i < kRounds; ++i) {
      host.HolidayQuery(kHolidayOpen, 2019 + i % 3, 0, 0);
      ASSERT_NE(0, host.HolidayQuery(kHolidayIsHoliday, 1, 1, 2019 + i % 3));
      host.HolidayQuery(kHolidayClose, 2019 + i % 3, 0, 0);
      host.SetSetting(kToolId, key, std::to_string(i).c_str());
      char value[kSettingValueSize];
      host.GetSetting(kToolId, key, value);
      ASSERT_EQ(std::to_string(i), value);
    }
  };
  std::thread uiThread(work, "WndPosX");
  start = true;
  work("WndPosY");
  uiThread.join();
  HolidayBracketCounts counts = host.HolidayBrackets();
  EXPECT_EQ(2 * kRounds, counts.opens);
  EXPECT_EQ(2 * kRounds, counts.closes);
  EXPECT_EQ(0, counts.unmatchedCloses);
  EXPECT_EQ(0, counts.queriesOutsideBracket);
}

}  // namespace
