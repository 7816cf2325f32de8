#include "import/ImportPlan.h"

#include <algorithm>
#include <cstdio>
#include <set>
#include <utility>

#include "calendar/CalendarFacts.h"
#include "calendar/DayNumber.h"
#include "cp932/Utf8FromCp932.h"
#include "data/SealTable.h"
#include "export/OwnEventId.h"
#include "import/RecurrenceExpansion.h"
#include "import/RecurrenceRule.h"

namespace {

constexpr int kSecondsPerDay = 86400;
// More entries than anyone's book holds: a calendar asking for them is taken for broken input.
constexpr long kMaxOccurrences = 400000;

int DayOf(const CalendarTime& time) { return DayNumberOf(time.year, time.month, time.day); }

int FirstDayOf(const YearMonth& month) { return DayNumberOf(month.year, month.month, 1); }

int LastDayOf(const YearMonth& month) {
  return DayNumberOf(month.year, month.month, DaysInMonth(month.year, month.month));
}

std::string MonthText(const YearMonth& month) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d", month.year, month.month);
  return text;
}

// Days after the start that the event still covers: 0 for one day.
int SpanDays(const CalendarEvent& event) {
  const CalendarTime& start = event.start.time;
  int startDay = DayOf(start);
  int lastDay = startDay;
  if (event.hasEnd) {
    int endDay = DayOf(event.end.time);
    // An all-day end and a timed end at midnight are exclusive.
    bool exclusive = !start.hasTime || !event.end.time.hasTime || event.end.time.SecondOfDay() == 0;
    lastDay = exclusive ? endDay - 1 : endDay;
  } else if (event.hasDuration) {
    long long end = (start.hasTime ? start.SecondOfDay() : 0) + event.durationSeconds;
    lastDay = startDay + static_cast<int>((end - 1) / kSecondsPerDay);
  }
  return std::max(0, lastDay - startDay);
}

// "10:00 会議 (～8/15)": the start time of a timed event, the last day of a long one.
std::string LineText(const CalendarEvent& event, int day, int span) {
  std::string text;
  const CalendarTime& start = event.start.time;
  char piece[32];
  if (start.hasTime) {
    std::snprintf(piece, sizeof piece, "%02d:%02d ", start.hour, start.minute);
    text += piece;
  }
  for (char c : event.summary) text += c == '\n' ? ' ' : c;
  if (span > 0) {
    CalendarDate first = DateOfDayNumber(day);
    CalendarDate last = DateOfDayNumber(day + span);
    if (last.year == first.year) {
      std::snprintf(piece, sizeof piece, "%d/%d)", last.month, last.day);
    } else {
      std::snprintf(piece, sizeof piece, "%d/%d/%d)", last.year, last.month, last.day);
    }
    text.append(u8" (～").append(piece);
  }
  return text;
}

std::string WithCrLf(const std::string& text) {
  std::string converted;
  for (char c : text) {
    if (c == '\n') converted += '\r';
    converted += c;
  }
  return converted;
}

class CPlanner {
 public:
  CPlanner(const CalendarFile& file, const ImportOptions& options, ImportPlan& plan, CImportReport& report)
      : m_file(file), m_options(options), m_plan(plan), m_report(report) {
    m_firstDay = FirstDayOf(options.from);
    m_lastDay = LastDayOf(options.to);
    m_endlessLastDay = std::min(m_lastDay, LastDayOf(options.endlessUntil));
    for (const SealEntry& row : g_SealTable) {
      if (row.nCode == 0) continue;
      std::string name;
      AppendUtf8FromCp932(name, row.szName);
      m_sealCodes.emplace(name, row.nCode);
    }
    for (const CalendarEvent& event : file.events) {
      if (event.hasRecurrenceId) m_replaced.insert({event.uid, DayOf(event.recurrenceId)});
    }
  }

  bool PlanEvent(const CalendarEvent& event, CalendarError& error) {
    if (event.cancelled) return true;
    const std::string& zone = event.start.zone;
    if (!zone.empty() && m_file.definedZones.count(zone) == 0 && m_warnedZones.insert(zone).second) {
      m_report.Warning(event.startLine,
                       "the time zone \"" + zone + "\" is not defined in the file; its times are taken as written");
    }
    if (event.extraDatesLine != 0) {
      m_report.Warning(event.extraDatesLine, "RDATE is not imported; the event is imported on its other dates");
    }
    int span = SpanDays(event);
    auto take = [&](int day) {
      if (day < m_firstDay || day > m_lastDay) {
        ++m_report.Summary().outsideRange;
        return true;
      }
      if (++m_occurrences > kMaxOccurrences) return false;
      AddWishes(event, day, span);
      return true;
    };
    int startDay = DayOf(event.start.time);
    if (event.rule.empty()) {
      take(startDay);
      return WithinLimit(event.lineNumber, error);
    }
    RecurrenceRule rule;
    std::string detail;
    switch (ReadRecurrenceRule(event.rule, rule, detail)) {
      case RuleReading::kBroken:
        error = {event.ruleLine, "RRULE cannot be read: " + detail};
        return false;
      case RuleReading::kUnsupported:
        m_report.Warning(event.ruleLine, "RRULE with " + detail + " is not expanded; only the first date is imported");
        take(startDay);
        return WithinLimit(event.lineNumber, error);
      case RuleReading::kExpandable:
        break;
    }
    int lastDay = m_lastDay;
    if (!rule.HasEnd() && m_endlessLastDay < m_lastDay) {
      lastDay = m_endlessLastDay;
      m_report.Warning(event.ruleLine, "RRULE has no end; its dates are imported up to " +
                                           MonthText(m_options.endlessUntil) + " (--to goes further)");
    }
    std::set<int> skipped;
    for (const CalendarTime& exception : event.exceptions) skipped.insert(DayOf(exception));
    ExpandRecurrence(rule, event.start.time, lastDay, [&](int day) {
      if (skipped.count(day) != 0 || m_replaced.count({event.uid, day}) != 0) return true;
      return take(day);
    });
    return WithinLimit(event.ruleLine, error);
  }

 private:
  bool WithinLimit(int lineNumber, CalendarError& error) const {
    if (m_occurrences <= kMaxOccurrences) return true;
    error = {lineNumber, "the calendar's events occur more than " + std::to_string(kMaxOccurrences) +
                             " times; --from and --to can narrow the import"};
    return false;
  }

  void AddWishes(const CalendarEvent& event, int day, int span) {
    DayWishes& wishes = m_plan[day];
    OwnEventId own;
    bool isOwn = ParseOwnEventUid(event.uid, own) && !event.start.time.hasTime && span == 0 &&
                 DayNumberOf(own.date.year, own.date.month, own.date.day) == day;
    if (isOwn && own.kind == OwnEventKind::kLine) {
      const std::string& text = event.description.empty() ? event.summary : event.description;
      wishes.lines.push_back({WithCrLf(text), own.line, event.lineNumber});
    } else if (isOwn && own.kind == OwnEventKind::kMemo) {
      if (!event.description.empty()) wishes.memos.push_back({WithCrLf(event.description), event.lineNumber});
    } else if (!isOwn) {
      if (!event.summary.empty()) wishes.lines.push_back({LineText(event, day, span), -1, event.lineNumber});
      if (!event.description.empty()) wishes.memos.push_back({WithCrLf(event.description), event.lineNumber});
    }
    AddSeals(event, wishes);
  }

  void AddSeals(const CalendarEvent& event, DayWishes& wishes) {
    if (!event.sealSlots.empty() && !wishes.sealsBySlot) {
      SealCode slots[kSealSlots];
      if (ParseSealSlots(event.sealSlots, slots)) {
        wishes.sealsBySlot = true;
        // The slot list stands for the seals that categories of other events already wished.
        auto named = [&](const SealWish& wish) {
          return std::find(slots, slots + kSealSlots, wish.code) != slots + kSealSlots;
        };
        wishes.seals.erase(std::remove_if(wishes.seals.begin(), wishes.seals.end(), named), wishes.seals.end());
        for (int slot = 0; slot < kSealSlots; ++slot) {
          if (slots[slot] != 0 && FindSealRow(slots[slot], kSealKeyCode) != nullptr) {
            wishes.seals.push_back({slots[slot], slot, event.lineNumber});
          }
        }
        return;
      }
      if (m_warnedSlotLines.insert(event.sealSlotsLine).second) {
        m_report.Warning(event.sealSlotsLine,
                         std::string(kSealSlotsProperty) + " cannot be read; the seals come from CATEGORIES");
      }
    }
    if (wishes.sealsBySlot && !event.sealSlots.empty()) return;
    for (const std::string& category : event.categories) {
      auto found = m_sealCodes.find(category);
      if (found == m_sealCodes.end()) continue;
      bool wished = std::any_of(wishes.seals.begin(), wishes.seals.end(),
                                [&](const SealWish& seal) { return seal.code == found->second; });
      if (!wished) wishes.seals.push_back({found->second, -1, event.lineNumber});
    }
  }

  const CalendarFile& m_file;
  const ImportOptions& m_options;
  ImportPlan& m_plan;
  CImportReport& m_report;
  int m_firstDay = 0;
  int m_lastDay = 0;
  int m_endlessLastDay = 0;
  long m_occurrences = 0;
  std::map<std::string, SealCode> m_sealCodes;       // by UTF-8 name
  std::set<std::pair<std::string, int>> m_replaced;  // UID and day of each RECURRENCE-ID
  std::set<std::string> m_warnedZones;
  std::set<int> m_warnedSlotLines;
};

}  // namespace

bool PlanImport(const CalendarFile& file, const ImportOptions& options, ImportPlan& plan, CImportReport& report,
                CalendarError& error) {
  CPlanner planner(file, options, plan, report);
  for (const CalendarEvent& event : file.events) {
    if (!planner.PlanEvent(event, error)) return false;
  }
  return true;
}
