#include "import/ImportPlan.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <set>
#include <utility>

#include "calendar/CalendarFacts.h"
#include "calendar/DayNumber.h"
#include "cp932/Utf8FromCp932.h"
#include "data/SealTable.h"
#include "export/OwnEventId.h"
#include "import/RecurrenceExpansion.h"
#include "import/RecurrenceRule.h"
#include "import/ZoneRules.h"

namespace {

constexpr int kSecondsPerDay = 86400;
// More entries than any book holds (a full book of 5 lines a day for a thousand years): a calendar asking
// for them is taken for broken input. A 32-bit process holds them in a quarter of its memory.
constexpr long kMaxOccurrences = 2000000;
// The dates one event may gather within the range: past them, it occurs too often anyway.
constexpr size_t kMaxGatheredDates = kMaxOccurrences + 2;
// Written as a UTF-8 literal: narrow literals of this project are cp932.
constexpr const char* kUntitledEvent = u8"（無題）";

int DayOf(const CalendarTime& time) { return DayNumberOf(time.year, time.month, time.day); }

// The time of day of start on another day.
CalendarTime OnDay(CalendarTime start, int day) {
  CalendarDate date = DateOfDayNumber(day);
  start.year = date.year;
  start.month = date.month;
  start.day = date.day;
  return start;
}

int FirstDayOf(const YearMonth& month) { return DayNumberOf(month.year, month.month, 1); }

int LastDayOf(const YearMonth& month) {
  return DayNumberOf(month.year, month.month, DaysInMonth(month.year, month.month));
}

std::string MonthText(const YearMonth& month) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d", month.year, month.month);
  return text;
}

// How long an event (or one date of it) lasts on the book's clock, in seconds.
long long LengthOf(const CalendarTime& start, const EventLength& length, const CalendarTime& end) {
  if (length.hasEnd) {
    // An all-day event ends on a date, and that day is no part of it.
    long long endSeconds = start.hasTime ? SecondsOf(end) : DayOf(end) * static_cast<long long>(kSecondsPerDay);
    return endSeconds - SecondsOf(start);
  }
  return length.hasDuration ? length.durationSeconds : 0;
}

// Days after the start that an occurrence of that length still covers: 0 for one day; an end at midnight is exclusive.
int SpanDays(const CalendarTime& start, long long length) {
  if (length <= 0) return 0;
  long long startSeconds = SecondsOf(start);
  return static_cast<int>((startSeconds + length - 1) / kSecondsPerDay - startSeconds / kSecondsPerDay);
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

// The start of a text that more than fills a field of that many bytes: each
// character takes one byte of cp932 at least, and the merge cuts the rest.
std::string Kept(std::string text, size_t fieldBytes) {
  size_t characters = 0;
  for (size_t at = 0; at < text.size(); ++at) {
    bool starts = (static_cast<unsigned char>(text[at]) & 0xC0) != 0x80;
    if (starts && ++characters > fieldBytes) {
      text.resize(at);
      break;
    }
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

}  // namespace

class CImportPlanner::CImpl {
 public:
  CImpl(const CalendarOutline& outline, const ImportOptions& options, const BookTimeZone& zone, ImportPlan& plan,
        CImportReport& report)
      : m_options(options), m_clock(zone, outline.zones), m_replaced(outline.moved), m_plan(plan), m_report(report) {
    m_firstDay = FirstDayOf(options.from);
    m_lastDay = LastDayOf(options.to);
    m_endlessLastDay = std::min(m_lastDay, LastDayOf(options.endlessUntil));
    for (const SealEntry& row : g_SealTable) {
      if (row.nCode == 0) continue;
      std::string name;
      AppendUtf8FromCp932(name, row.szName);
      m_sealCodes.emplace(name, row.nCode);
    }
  }

  bool PlanEvent(const CalendarEvent& event, CalendarNote& error) {
    if (event.cancelled) return true;
    const std::string& zone = event.start.zone;
    if (!zone.empty() && m_clock.Zone(zone) == nullptr && m_warnedZones.insert(zone).second) {
      m_report.Warning(
          event.startLine,
          "the time zone \"" + zone + "\" is neither defined in the file nor known; its times are taken as written");
    }
    const CalendarTime start = m_clock.InBook(event.start.time, zone);
    const long long length = LengthOf(start, event.length, m_clock.InBook(event.length.end, event.endZone));
    if (!event.Recurs()) {
      Take(event, start, DayOf(start), SpanDays(start, length));
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
      // An UNTIL in UTC ends the dates of the start's own clock.
      if (rules.back().hasUntil) rules.back().until = m_clock.InZone(rules.back().until, std::string(), zone);
      if (!rule.rule.HasEnd() && m_endlessLastDay < m_lastDay) {
        std::string what = rule.rule.count > 0 ? "RRULE's COUNT reaches past the year 9999" : "RRULE has no end";
        m_report.Warning(rule.lineNumber, what + "; its dates are imported up to " + MonthText(m_options.endlessUntil) +
                                              " (--to goes further)");
      }
    }
    // The dates of the set on the start's own clock, where the rules give theirs.
    std::map<int, ExtraStart> extraDates;
    std::vector<int> extraDays;
    for (const ExtraDate& date : event.extraDates) {
      CalendarTime own = m_clock.InZone(date.start, date.zone, zone);
      extraDates.emplace(DayOf(own), ExtraStart{own, &date});
      extraDays.push_back(DayOf(own));
    }
    std::set<int> excluded;
    for (const EventTime& exception : event.exceptions) {
      excluded.insert(DayOf(m_clock.InZone(exception.time, exception.zone, zone)));
    }
    auto moved = m_replaced.find(event.uid);
    if (moved != m_replaced.end()) {
      for (const EventTime& replaced : moved->second)
        excluded.insert(DayOf(m_clock.InZone(replaced.time, replaced.zone, zone)));
    }
    // A day before the range may still fall into it on the book's clock.
    size_t before = 0;
    std::vector<int> days = ExpandRecurrenceSet(rules, event.start.time, extraDays, excluded, m_firstDay - 1, m_lastDay,
                                                m_endlessLastDay, kMaxGatheredDates, before);
    m_report.Summary().outsideRange += static_cast<int>(std::min<size_t>(before, kMaxOccurrences));
    // Cut short: more dates than can be imported.
    if (days.size() >= kMaxGatheredDates) m_occurrences = kMaxOccurrences + 1;
    // An RDATE brings its own time, and a period its own length.
    for (int day : days) {
      auto extra = extraDates.find(day);
      bool ruled = extra == extraDates.end();
      CalendarTime own = ruled ? OnDay(event.start.time, day) : extra->second.start;
      CalendarTime bookStart = m_clock.InBook(own, zone);
      long long dayLength = length;
      if (!ruled && extra->second.date->isPeriod) {
        const EventLength& period = extra->second.date->length;
        dayLength = LengthOf(bookStart, period, m_clock.InBook(period.end, extra->second.date->zone));
      }
      if (!Take(event, bookStart, DayOf(bookStart), SpanDays(bookStart, dayLength))) break;
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
      wishes.lines.push_back({Kept(WithCrLf(text), kLineSize), own.line, event.lineNumber});
    } else if (isOwn && own.kind == OwnEventKind::kMemo) {
      if (!event.description.empty())
        wishes.memos.push_back({Kept(WithCrLf(event.description), kMemoSize), event.lineNumber});
    } else if (!isOwn) {
      wishes.lines.push_back({Kept(LineText(event, start, day, span), kLineSize), -1, event.lineNumber});
      if (!event.description.empty())
        wishes.memos.push_back({Kept(WithCrLf(event.description), kMemoSize), event.lineNumber});
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

  struct ExtraStart {
    CalendarTime start;  // on the clock of the event's start
    const ExtraDate* date;
  };

  const ImportOptions& m_options;
  CBookClock m_clock;
  const std::map<std::string, std::vector<EventTime>>& m_replaced;  // the occurrences each UID's RECURRENCE-IDs move
  ImportPlan& m_plan;
  CImportReport& m_report;
  int m_firstDay = 0;
  int m_lastDay = 0;
  int m_endlessLastDay = 0;
  long m_occurrences = 0;
  std::map<std::string, SealCode> m_sealCodes;  // by UTF-8 name
  std::set<std::string> m_warnedZones;
  std::set<int> m_warnedSlotLines;
};

CImportPlanner::CImportPlanner(const CalendarOutline& outline, const ImportOptions& options, const BookTimeZone& zone,
                               ImportPlan& plan, CImportReport& report)
    : m_impl(std::make_unique<CImpl>(outline, options, zone, plan, report)) {}

CImportPlanner::~CImportPlanner() = default;

bool CImportPlanner::PlanEvent(const CalendarEvent& event, CalendarNote& error) {
  return m_impl->PlanEvent(event, error);
}

void AddToOutline(const CalendarEvent& event, const ImportOptions& options, CalendarOutline& outline) {
  if (!event.hasRecurrenceId) return;
  // A day away on another clock at most: an occurrence moved from further off leaves the range as it was.
  int day = DayOf(event.recurrenceId.time);
  if (day < FirstDayOf(options.from) - 1 || day > LastDayOf(options.to) + 1) return;
  outline.moved[event.uid].push_back(event.recurrenceId);
}

bool PlanImport(const CalendarFile& file, const ImportOptions& options, ImportPlan& plan, CImportReport& report,
                CalendarNote& error) {
  const BookTimeZone* zone = FindBookTimeZone(options.timeZone);
  if (zone == nullptr) {
    error = {0, "the time zone \"" + options.timeZone + "\" is not one the book can be kept in"};
    return false;
  }
  CalendarOutline outline;
  outline.zones = file.zones;
  for (const CalendarEvent& event : file.events) AddToOutline(event, options, outline);
  CImportPlanner planner(outline, options, *zone, plan, report);
  for (const CalendarEvent& event : file.events) {
    if (!planner.PlanEvent(event, error)) return false;
  }
  return true;
}
