#include "print/DiaryDays.h"

#include <map>
#include <memory>

#include "calendar/HolidayYear.h"

namespace {

constexpr char kUnnamedHoliday[] = "祝日";

}  // namespace

bool IsEmptyDay(const DayRecord& record) {
  for (SealCode seal : record.nSeal) {
    if (seal != 0) return false;
  }
  for (const char* line : record.szLine) {
    if (line[0] != '\0') return false;
  }
  return record.szMemo[0] == '\0';
}

DiaryDays CollectDiaryDays(const CalendarDate& from, const CalendarDate& to, bool withEmptyDays,
                           const DiaryMonthReader& readMonth, const DiaryHolidays& isHoliday) {
  DiaryDays result;
  std::map<int, std::unique_ptr<CHolidayYear>> holidayYears;
  MonthTable table;
  int tableMonth = -1;  // year * 12 + month - 1 of what the table holds
  bool tableRead = false;
  const int last = DayNumberOf(to);
  for (int number = DayNumberOf(from); number <= last; ++number) {
    const CalendarDate date = DateOfDayNumber(number);
    const YearMonth month = {date.year, date.month};
    if (month.Index() != tableMonth) {
      tableMonth = month.Index();
      const MonthReadOutcome read = readMonth(date.year, date.month, table);
      tableRead = read != MonthReadOutcome::kUnreadable;
      if (read == MonthReadOutcome::kAbsent) ClearMonth(table);
      if (!tableRead) result.unreadable.push_back(month);
    }
    if (!tableRead || date.day > kDaysInTable) continue;
    const DayRecord& record = table.Day(date.day);
    if (!withEmptyDays && IsEmptyDay(record)) continue;
    DiaryDay day = {date, WeekdayOfDayNumber(number), "", record};
    if (isHoliday(number)) {
      auto& year = holidayYears[date.year];
      if (!year) year = std::make_unique<CHolidayYear>(date.year);
      const char* name = year->NameOf(date.month, date.day);
      day.holiday = name != nullptr ? name : kUnnamedHoliday;
    }
    result.days.push_back(std::move(day));
  }
  return result;
}
