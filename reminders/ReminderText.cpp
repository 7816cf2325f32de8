#include "reminders/ReminderText.h"

#include <cstdio>

#include "calendar/DayNumber.h"
#include "reminders/WallTime.h"

namespace {

constexpr const char* g_WeekdayNames[] = {"日", "月", "火", "水", "木", "金", "土"};
constexpr int kMinutesPerHour = 60;

std::string ClockText(int minute) {
  char text[16];
  std::snprintf(text, sizeof text, "%d:%02d", minute / kMinutesPerHour, minute % kMinutesPerHour);
  return text;
}

std::string TimeText(const TimedLine& line) {
  std::string text = ClockText(line.startMinute);
  if (line.hasEnd) text += "～" + ClockText(line.endMinute);
  return text;
}

// "あと10分", "今", "25分前", "1時間5分前"; missed ones say so.
std::string WhenText(const DueReminder& due) {
  char text[48];
  const int64_t seconds = due.secondsAfterTime;
  if (seconds < 0) {
    std::snprintf(text, sizeof text, "あと%lld分",
                  static_cast<long long>((-seconds + kSecondsPerMinute - 1) / kSecondsPerMinute));
  } else if (seconds < kSecondsPerMinute) {
    std::snprintf(text, sizeof text, "今");
  } else {
    const long long minutes = seconds / kSecondsPerMinute;
    if (minutes < kMinutesPerHour) {
      std::snprintf(text, sizeof text, "%lld分前", minutes);
    } else {
      std::snprintf(text, sizeof text, "%lld時間%lld分前", minutes / kMinutesPerHour, minutes % kMinutesPerHour);
    }
  }
  return std::string("（") + (due.missed ? "見逃し・" : "") + text + "）";
}

}  // namespace

std::string ReminderItemText(const DueReminder& due) {
  const CalendarDate date = DateOfDayNumber(due.line.dayNumber);
  char day[48];
  std::snprintf(day, sizeof day, "%d月%d日(%s)", date.month, date.day,
                g_WeekdayNames[WeekdayOfDayNumber(due.line.dayNumber)]);
  std::string text = std::string(day) + "  " + TimeText(due.line);
  if (!due.line.title.empty()) text += "  " + due.line.title;
  return text + "  " + WhenText(due);
}

std::string ReminderTitle(const std::vector<DueReminder>& board) {
  if (board.empty()) return std::string();
  const TimedLine& first = board.front().line;
  std::string title = ClockText(first.startMinute);
  if (!first.title.empty()) title += " " + first.title;
  if (board.size() > 1) {
    char more[32];
    std::snprintf(more, sizeof more, "（ほか%d件）", static_cast<int>(board.size() - 1));
    title += more;
  }
  return title;
}
