#include "repeat/RepeatWrite.h"

#include <cstring>
#include <exception>
#include <memory>

#include "calendar/CalendarFacts.h"
#include "calendar/DayNumber.h"
#include "cp932/Utf8FromCp932.h"
#include "import/DayMerge.h"

namespace {

struct MonthDays {
  MonthOfBook month;
  std::vector<int> days;  // of the month, 1..31
};

// The days grouped by month, in the order they come (date order).
std::vector<MonthDays> ByMonth(const std::vector<int>& dayNumbers) {
  std::vector<MonthDays> months;
  for (int dayNumber : dayNumbers) {
    const CalendarDate date = DateOfDayNumber(dayNumber);
    if (months.empty() || months.back().month.year != date.year || months.back().month.month != date.month) {
      months.push_back({{date.year, date.month}, {}});
    }
    months.back().days.push_back(date.day);
  }
  return months;
}

MergeNote MergeOne(DayRecord& day, const DayWishes& wishes) { return MergeDay(day, wishes).front(); }

bool IsLine(const char (&line)[kLineSize], const std::string& text) {
  return strnlen(line, kLineSize) == text.size() && std::memcmp(line, text.data(), text.size()) == 0;
}

// Runs change on each month of days through months; what the library
// throws for one month (an exhausted heap) leaves that month unwritten.
// Once stop is set the months left are not reached.
RepeatOutcome ChangeEachMonth(const std::vector<int>& days, IBookMonths& months, const RepeatProgress& progress,
                              const std::atomic<bool>* stop,
                              const std::function<bool(MonthTable&, const MonthDays&, RepeatMonthResult&)>& change) {
  RepeatOutcome outcome;
  const std::vector<MonthDays> groups = ByMonth(days);
  for (const MonthDays& group : groups) {
    RepeatMonthResult result;
    result.month = group.month;
    if (stop != nullptr && *stop) {
      result.outcome = MonthOutcome::kNotReached;
      outcome.months.push_back(std::move(result));
      continue;
    }
    try {
      const MonthChange changed = months.ChangeMonth(group.month.year, group.month.month, [&](MonthTable& table) {
        result = RepeatMonthResult();
        result.month = group.month;
        return change(table, group, result);
      });
      result.reason = changed.reason;
      result.keptCopy = changed.keptCopy;
      if (changed.read == MonthRead::kFailed) {
        result.outcome = MonthOutcome::kUnread;
      } else if (!changed.changed) {
        result.outcome = MonthOutcome::kUnchanged;
      } else {
        result.outcome = changed.written ? MonthOutcome::kWritten : MonthOutcome::kUnwritten;
      }
    } catch (const std::exception&) {
      result.outcome = MonthOutcome::kUnwritten;
      result.reason = "there was not enough memory";
    }
    outcome.months.push_back(std::move(result));
    if (progress) progress(outcome.months.size(), groups.size());
  }
  return outcome;
}

}  // namespace

LinePlacement PlaceRepeatedLine(DayRecord& day, const std::string& text) {
  std::string utf8;
  AppendUtf8FromCp932(utf8, text);
  DayWishes asLine;
  asLine.lines.push_back({utf8});
  DayRecord trial = day;
  switch (MergeOne(trial, asLine).outcome) {
    case MergeOutcome::kAdded:
      day = trial;
      return LinePlacement::kLine;
    case MergeOutcome::kAlreadyThere:
      return LinePlacement::kAlreadyThere;
    case MergeOutcome::kNoRoom:
      break;
  }
  DayWishes asMemo;
  // Half of the line at the end of a full memo would be a line lost all the same.
  asMemo.memos.push_back({utf8, 0, false});
  trial = day;
  switch (MergeOne(trial, asMemo).outcome) {
    case MergeOutcome::kAdded:
      day = trial;
      return LinePlacement::kMemo;
    case MergeOutcome::kAlreadyThere:
      return LinePlacement::kAlreadyThere;
    case MergeOutcome::kNoRoom:
      break;
  }
  return LinePlacement::kNoRoom;
}

RepeatPreview PreviewRepeatedLine(const std::vector<int>& days, const std::string& text, IBookMonths& months) {
  RepeatPreview preview;
  auto table = std::make_unique<MonthTable>();
  for (const MonthDays& group : ByMonth(days)) {
    if (months.ReadMonth(group.month.year, group.month.month, *table) == MonthRead::kFailed) {
      preview.unreadMonths.push_back(group.month);
      preview.daysInUnreadMonths += static_cast<int>(group.days.size());
      continue;
    }
    for (int day : group.days) {
      DayRecord record = table->Day(day);
      switch (PlaceRepeatedLine(record, text)) {
        case LinePlacement::kLine:
          break;
        case LinePlacement::kAlreadyThere:
          ++preview.alreadyThere;
          break;
        case LinePlacement::kMemo:
          ++preview.intoMemo;
          break;
        case LinePlacement::kNoRoom:
          ++preview.noRoom;
          break;
      }
    }
  }
  return preview;
}

RepeatOutcome WriteRepeatedLine(const std::vector<int>& days, const std::string& text, IBookMonths& months,
                                const RepeatProgress& progress, const std::atomic<bool>* stop) {
  return ChangeEachMonth(days, months, progress, stop,
                         [&](MonthTable& table, const MonthDays& group, RepeatMonthResult& result) {
                           for (int day : group.days) {
                             switch (PlaceRepeatedLine(table.Day(day), text)) {
                               case LinePlacement::kMemo:
                                 ++result.intoMemo;
                                 [[fallthrough]];
                               case LinePlacement::kLine:
                                 ++result.changedDays;
                                 break;
                               case LinePlacement::kNoRoom:
                                 result.noRoomDays.push_back(DayNumberOf(group.month.year, group.month.month, day));
                                 break;
                               case LinePlacement::kAlreadyThere:
                                 break;
                             }
                           }
                           return result.changedDays > 0;
                         });
}

LineFound FindLineInDays(int afterDay, int lastDay, const std::string& text, IBookMonths& months) {
  LineFound found;
  if (text.empty() || lastDay <= afterDay) return found;
  const CalendarDate first = DateOfDayNumber(afterDay + 1);
  const CalendarDate last = DateOfDayNumber(lastDay);
  auto table = std::make_unique<MonthTable>();
  for (int index = first.year * kMonthsInYear + first.month - 1; index <= last.year * kMonthsInYear + last.month - 1;
       ++index) {
    const MonthOfBook month = {index / kMonthsInYear, index % kMonthsInYear + 1};
    if (months.ReadMonth(month.year, month.month, *table) == MonthRead::kFailed) {
      found.unreadMonths.push_back(month);
      continue;
    }
    const int monthStart = DayNumberOf(month.year, month.month, 1);
    for (int day = 1; day <= DaysInMonth(month.year, month.month); ++day) {
      const int dayNumber = monthStart + day - 1;
      if (dayNumber <= afterDay || dayNumber > lastDay) continue;
      const DayRecord& record = table->Day(day);
      for (const auto& line : record.szLine) {
        if (!IsLine(line, text)) continue;
        found.days.push_back(dayNumber);
        break;
      }
    }
  }
  return found;
}

RepeatOutcome RemoveLineFromDays(const std::vector<int>& days, const std::string& text, IBookMonths& months,
                                 const RepeatProgress& progress, const std::atomic<bool>* stop) {
  return ChangeEachMonth(days, months, progress, stop,
                         [&](MonthTable& table, const MonthDays& group, RepeatMonthResult& result) {
                           for (int day : group.days) {
                             bool cleared = false;
                             for (auto& line : table.Day(day).szLine) {
                               if (text.empty() || !IsLine(line, text)) continue;
                               std::memset(line, 0, sizeof line);
                               cleared = true;
                             }
                             if (cleared) ++result.changedDays;
                           }
                           return result.changedDays > 0;
                         });
}

int RepeatOutcome::ChangedDays() const {
  int days = 0;
  for (const RepeatMonthResult& month : months) {
    if (month.outcome == MonthOutcome::kWritten) days += month.changedDays;
  }
  return days;
}

std::vector<MonthOfBook> RepeatOutcome::MonthsLeftOut() const {
  std::vector<MonthOfBook> left;
  for (const RepeatMonthResult& month : months) {
    if (month.outcome == MonthOutcome::kUnread || month.outcome == MonthOutcome::kUnwritten ||
        month.outcome == MonthOutcome::kNotReached) {
      left.push_back(month.month);
    }
  }
  return left;
}

std::vector<int> RepeatOutcome::NoRoomDays() const {
  std::vector<int> days;
  for (const RepeatMonthResult& month : months) {
    if (month.outcome != MonthOutcome::kWritten && month.outcome != MonthOutcome::kUnchanged) continue;
    days.insert(days.end(), month.noRoomDays.begin(), month.noRoomDays.end());
  }
  return days;
}
