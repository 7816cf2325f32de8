#include "host/core/HostServices.h"

#include <climits>
#include <utility>

#include "calendar/CalendarFacts.h"
#include "data/DayRecord.h"
#include "data/FieldCodec.h"
#include "host/core/CalendarAnswers.h"
#include "host/core/CalendarNames.h"
#include "host/core/LocalDate.h"

namespace {

// Drops trailing backslashes and slashes, but never the trail byte of a
// two-byte character such as 0x95 0x5C.
std::string WithoutTrailingSeparator(std::string path) {
  size_t keep = 0;
  for (size_t i = 0; i < path.size();) {
    size_t width = IsLeadByte(static_cast<unsigned char>(path[i])) ? 2 : 1;
    bool separator = width == 1 && (path[i] == '\\' || path[i] == '/');
    i += width;
    if (!separator) keep = i < path.size() ? i : path.size();
  }
  path.resize(keep);
  return path;
}

// An argument that does not fit an int answers as an impossible value.
int Narrow(intptr_t value) { return value < INT_MIN || value > INT_MAX ? -1 : static_cast<int>(value); }

const DateRecord* AsDate(intptr_t pointer) { return reinterpret_cast<const DateRecord*>(pointer); }

}  // namespace

CHostServices::CHostServices(ISettingsStore& store, std::string dataDirectory,
                             std::optional<DateRecord> today)
    : m_store(store), m_dataDirectory(WithoutTrailingSeparator(std::move(dataDirectory))), m_today(today) {}

int CHostServices::GetSetting(int toolId, const char* key, char* value) {
  if (value == nullptr) return 0;
  value[0] = '\0';
  if (key == nullptr) return 0;
  std::string stored;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_store.Get(toolId, key, stored)) return 0;
  }
  StoreFieldText(value, kSettingValueSize, stored.c_str());
  return 1;
}

int CHostServices::SetSetting(int toolId, const char* key, const char* value) {
  if (key == nullptr || value == nullptr) return 0;
  std::lock_guard<std::mutex> lock(m_mutex);
  m_store.Set(toolId, key, value);
  return 1;
}

const char* CHostServices::GetDataDirectory(int, int) { return m_dataDirectory.c_str(); }

DateRecord CHostServices::Today() const {
  DateRecord today = m_today ? *m_today : LocalToday();
  int weekday = WeekdayOf(today.wYear, today.wMonth, today.wDay);
  today.wDayOfWeek = static_cast<uint16_t>(weekday < 0 ? kSunday : weekday);
  return today;
}

intptr_t CHostServices::CalendarQuery(int code, intptr_t a, intptr_t b) {
  switch (code) {
    case kCalTodayYear:
      return Today().wYear;
    case kCalTodayMonth:
      return Today().wMonth;
    case kCalTodayDay:
      return Today().wDay;
    case kCalTodayWeekday:
      return Today().wDayOfWeek;
    case kCalPrevMonthFirstWeekday:
      return a == 0 ? -1 : PrevMonthFirstWeekday(*AsDate(a));
    case kCalNextMonthFirstWeekday:
      return a == 0 ? -1 : NextMonthFirstWeekday(*AsDate(a));
    case kCalDaysInMonth:
      return DaysInMonth(Narrow(a), Narrow(b));
    case kCalFillMonthGrid: {
      if (a == 0) return 0;
      MonthGrid& grid = *reinterpret_cast<MonthGrid*>(a);
      if (b == 0) {
        grid = MonthGrid{};
        return 0;
      }
      return FillMonthGrid(grid, AsDate(b)->wYear, AsDate(b)->wMonth) ? 1 : 0;
    }
    case kCalMonthName:
      return reinterpret_cast<intptr_t>(MonthName(Narrow(a), b != 0));
    case kCalWeekdayName:
      return reinterpret_cast<intptr_t>(WeekdayName(Narrow(a), b != 0));
    default:
      return 0;
  }
}

int CHostServices::HolidayQuery(int code, int a, int b, int c) {
  std::lock_guard<std::mutex> lock(m_mutex);
  switch (code) {
    case kHolidayOpen:
      m_holidays.Open(a);
      return 0;
    case kHolidayClose:
      m_holidays.Close(a);
      return 0;
    case kHolidayIsHoliday:
      return m_holidays.IsHoliday(c, a, b) ? 1 : 0;
    default:
      return 0;
  }
}

HolidayBracketCounts CHostServices::HolidayBrackets() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_holidays.Counts();
}
