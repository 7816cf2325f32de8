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
// The dates one event may gather before the range is applied: every day of the years 1 to 9999.
constexpr size_t kMaxGatheredDates = 3652500;
// Written as a UTF-8 literal: narrow literals of this project are cp932.
constexpr const char* kUntitledEvent = u8"（無題）";

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

// Days after the start that an event (or one date of it) still covers: 0 for one day.
int SpanDays(const CalendarTime& start, const EventLength& length) {
  int startDay = DayOf(start);
  int lastDay = startDay;
  if (length.hasEnd) {
    // An all-day end and a timed end at midnight are exclusive.
    bool exclusive = !start.hasTime || !length.end.hasTime || length.end.SecondOfDay() == 0;
    lastDay = exclusive ? DayOf(length.end) - 1 : DayOf(length.end);
  } else if (length.hasDuration) {
    long long end = (start.hasTime ? start.SecondOfDay() : 0) + length.durationSeconds;
    lastDay = startDay + static_cast<int>((end - 1) / kSecondsPerDay);
  }
  return std::max(0, lastDay - startDay);
}

// What names an event on its line: its summary, else its location, else the
// first line of its description, so that a busy day never stays empty.
std::string EventTitle(const CalendarEvent& event) {
  if (!event.summary.empty()) return event.summary;
  if (!event.location.empty()) return event.location;
  std::string firstLine = event.description.substr(0, event.description.find('\n'));
  return firstLine.empty() ? kUntitledEvent : firstLine;
}

// "10:00 会議 (～8/15)": the start time of a timed event, the last day of a long one.
std::string LineText(const CalendarEvent& event, const CalendarTime& start, int day, int span) {
  std::string text;
  char piece[32];
  if (start.hasTime) {
    std::snprintf(piece, sizeof piece, "%02d:%02d ", start.hour, start.minute);
    text += piece;
  }
  for (char c : EventTitle(event)) text += c == '\n' ? ' ' : c;
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
      if (event.hasRecurrenceId) m_replaced[event.uid].insert(DayOf(event.recurrenceId));
    }
  }

  bool PlanEvent(const CalendarEvent& event, CalendarNote& error) {
    if (event.cancelled) return true;
    const std::string& zone = event.start.zone;
    if (!zone.empty() && m_file.definedZones.count(zone) == 0 && m_warnedZones.insert(zone).second) {
      m_report.Warning(event.startLine,
                       "the time zone \"" + zone + "\" is not defined in the file; its times are taken as written");
    }
    const int span = SpanDays(event.start.time, event.length);
    if (!event.Recurs()) {
      Take(event, event.start.time, DayOf(event.start.time), span);
      return WithinLimit(event.lineNumber, error);
    }
    std::vector<RecurrenceRule> rules;
    for (const EventRule& rule : event.rules) {
      if (rule.reading == RuleReading::kUnsupported) {
        m_report.Warning(rule.lineNumber,
                         "RRULE with " + rule.detail + " is not expanded; only the event's first date is imported");
        continue;
      }
      rules.push_back(rule.rule);
      if (!rule.rule.HasEnd() && m_endlessLastDay < m_lastDay) {
        std::string what = rule.rule.count > 0 ? "RRULE's COUNT reaches past the year 9999" : "RRULE has no end";
        m_report.Warning(rule.lineNumber, what + "; its dates are imported up to " + MonthText(m_options.endlessUntil) +
                                              " (--to goes further)");
      }
    }
    std::map<int, const ExtraDate*> extraDates;
    std::vector<int> extraDays;
    for (const ExtraDate& date : event.extraDates) {
      extraDates.emplace(DayOf(date.start), &date);
      extraDays.push_back(DayOf(date.start));
    }
    std::set<int> excluded;
    for (const CalendarTime& exception : event.exceptions) excluded.insert(DayOf(exception));
    auto moved = m_replaced.find(event.uid);
    if (moved != m_replaced.end()) excluded.insert(moved->second.begin(), moved->second.end());
    std::vector<int> days = ExpandRecurrenceSet(rules, event.start.time, extraDays, excluded, m_lastDay,
                                                m_endlessLastDay, kMaxGatheredDates);
    // Cut short: more dates than can be imported.
    if (days.size() >= kMaxGatheredDates) m_occurrences = kMaxOccurrences + 1;
    // An RDATE brings its own time, and a period its own length.
    for (int day : days) {
      auto extra = extraDates.find(day);
      bool ruled = extra == extraDates.end();
      CalendarTime start = ruled ? event.start.time : extra->second->start;
      int daySpan = ruled || !extra->second->isPeriod ? span : SpanDays(start, extra->second->length);
      if (!Take(event, start, day, daySpan)) break;
    }
    return WithinLimit(event.lineNumber, error);
  }

 private:
  bool WithinLimit(int lineNumber, CalendarNote& error) const {
    if (m_occurrences <= kMaxOccurrences) return true;
    error = {lineNumber, "the calendar's events occur more than " + std::to_string(kMaxOccurrences) +
                             " times; --from and --to can narrow the import"};
    return false;
  }

  // One occurrence, starting at start on day; false past the limit.
  bool Take(const CalendarEvent& event, const CalendarTime& start, int day, int span) {
    if (day < m_firstDay || day > m_lastDay) {
      ++m_report.Summary().outsideRange;
      return true;
    }
    if (++m_occurrences > kMaxOccurrences) return false;
    AddWishes(event, start, day, span);
    return true;
  }

  void AddWishes(const CalendarEvent& event, const CalendarTime& start, int day, int span) {
    DayWishes& wishes = m_plan[day];
    OwnEventId own;
    // The export's own events as it writes them; one changed elsewhere is taken as any other.
    bool ownShape = start.hasTime ? !event.entry.empty() : span == 0 && event.entry.empty();
    bool isOwn =
        ownShape && ParseOwnEventUid(event.uid, own) && DayNumberOf(own.date.year, own.date.month, own.date.day) == day;
    if (isOwn && own.kind == OwnEventKind::kLine) {
      const std::string& text = !event.entry.empty()        ? event.entry
                                : event.description.empty() ? event.summary
                                                            : event.description;
      wishes.lines.push_back({WithCrLf(text), own.line, event.lineNumber});
    } else if (isOwn && own.kind == OwnEventKind::kMemo) {
      if (!event.description.empty()) wishes.memos.push_back({WithCrLf(event.description), event.lineNumber});
    } else if (!isOwn) {
      wishes.lines.push_back({LineText(event, start, day, span), -1, event.lineNumber});
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
  std::map<std::string, SealCode> m_sealCodes;      // by UTF-8 name
  std::map<std::string, std::set<int>> m_replaced;  // the days each UID's RECURRENCE-IDs move
  std::set<std::string> m_warnedZones;
  std::set<int> m_warnedSlotLines;
};

}  // namespace

bool PlanImport(const CalendarFile& file, const ImportOptions& options, ImportPlan& plan, CImportReport& report,
                CalendarNote& error) {
  CPlanner planner(file, options, plan, report);
  for (const CalendarEvent& event : file.events) {
    if (!planner.PlanEvent(event, error)) return false;
  }
  return true;
}
