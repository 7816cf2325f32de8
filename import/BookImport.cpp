#include "import/BookImport.h"

#include <istream>
#include <new>
#include <string_view>
#include <vector>

#include "calendar/DayNumber.h"
#include "data/FileSystem.h"
#include "import/CalendarFile.h"
#include "import/DayMerge.h"
#include "import/ImportPlan.h"
#include "import/MonthFileAccess.h"

namespace {

constexpr const char* g_SlotWords[] = {"line ", "memo", "seal slot "};

std::string FieldName(const MergeNote& note) {
  std::string name = g_SlotWords[static_cast<int>(note.field)];
  if (note.field != MergeField::kMemo) name += std::to_string(note.index + 1);
  return name;
}

std::string ShownValue(const MergeNote& note) {
  return note.field == MergeField::kSeal ? note.shown : QuotedText(note.shown);
}

std::string FromEvent(const MergeNote& note) { return " (event of line " + std::to_string(note.sourceLine) + ")"; }

const char* NoRoomReason(MergeField field) {
  switch (field) {
    case MergeField::kLine:
      return "not added, no free line: ";
    case MergeField::kMemo:
      return "not added, no room in the memo: ";
    default:
      return "not added, no free seal slot: ";
  }
}

// The counts of one month, taken into the summary once its file is written.
struct MonthCounts {
  int days = 0;
  int lines = 0;
  int memos = 0;
  int seals = 0;
  int notAdded[3] = {};  // by MergeField
  int wishes = 0;

  int Added() const { return lines + memos + seals; }
};

class CMonthImport {
 public:
  CMonthImport(const std::string& folder, const ImportOptions& options, CImportReport& report)
      : m_folder(folder), m_options(options), m_report(report) {}

  // The days of one month, from first to last in the plan.
  void Run(int year, int month, ImportPlan::const_iterator first, ImportPlan::const_iterator last) {
    ImportSummary& summary = m_report.Summary();
    int wishes = 0;
    for (auto day = first; day != last; ++day) {
      wishes += static_cast<int>(day->second.lines.size() + day->second.memos.size() + day->second.seals.size());
    }
    MonthCounts counts;
    auto mergeDays = [&](MonthTable& table) {
      for (auto day = first; day != last; ++day) {
        CalendarDate date = DateOfDayNumber(day->first);
        if (MergeInto(day->first, table.Day(date.day), day->second, counts)) ++counts.days;
      }
      return counts.Added() > 0;
    };
    const MonthChange change = ChangeMonthFile(SystemFileSystem(), MonthFilePathIn(m_folder, year, month), year, month,
                                               !m_options.dryRun, mergeDays);
    if (change.read == MonthRead::kFailed) {
      m_report.Month(year, month, change.reason + "; nothing was imported into this month");
      ++summary.failedMonths;
      summary.inFailedMonths += wishes;
      return;
    }
    if (!change.changed) {
      TakeCounts(counts);
      return;
    }
    if (!m_options.dryRun && !change.written) {
      m_report.Month(year, month, "cannot be written; the month is unchanged and nothing was imported into it");
      ++summary.failedMonths;
      summary.inFailedMonths += counts.Added();
      counts.days = counts.lines = counts.memos = counts.seals = 0;
    } else {
      ++summary.monthFiles;
      if (!change.keptCopy.empty()) {
        m_report.Month(
            year, month,
            "changed elsewhere while it was imported; what of that did not fit is kept as " + change.keptCopy);
      }
    }
    TakeCounts(counts);
  }

 private:
  // True when the day changed.
  bool MergeInto(int dayNumber, DayRecord& day, const DayWishes& wishes, MonthCounts& counts) {
    ImportSummary& summary = m_report.Summary();
    bool changed = false;
    for (const MergeNote& note : MergeDay(day, wishes)) {
      switch (note.outcome) {
        case MergeOutcome::kAlreadyThere:
          ++summary.alreadyThere;
          continue;
        case MergeOutcome::kNoRoom:
          ++counts.notAdded[static_cast<int>(note.field)];
          m_report.Day(dayNumber, NoRoomReason(note.field) + ShownValue(note) + FromEvent(note));
          continue;
        case MergeOutcome::kAdded:
          break;
      }
      changed = true;
      int& added = note.field == MergeField::kLine   ? counts.lines
                   : note.field == MergeField::kMemo ? counts.memos
                                                     : counts.seals;
      ++added;
      if (m_options.dryRun) m_report.Day(dayNumber, FieldName(note) + " <- " + ShownValue(note));
      if (note.cut) {
        ++summary.cut;
        m_report.Day(dayNumber, FieldName(note) + ": cut to fit: " + ShownValue(note) + FromEvent(note));
      }
      if (note.substituted > 0) {
        ++summary.substituted;
        m_report.Day(dayNumber, FieldName(note) + ": " + std::to_string(note.substituted) +
                                    " character(s) that cp932 cannot hold written as ?" + FromEvent(note));
      }
    }
    return changed;
  }

  void TakeCounts(const MonthCounts& counts) {
    ImportSummary& summary = m_report.Summary();
    summary.days += counts.days;
    summary.linesAdded += counts.lines;
    summary.memosAdded += counts.memos;
    summary.sealsAdded += counts.seals;
    summary.noFreeLine += counts.notAdded[static_cast<int>(MergeField::kLine)];
    summary.noRoomInMemo += counts.notAdded[static_cast<int>(MergeField::kMemo)];
    summary.noFreeSealSlot += counts.notAdded[static_cast<int>(MergeField::kSeal)];
  }

  const std::string& m_folder;
  const ImportOptions& m_options;
  CImportReport& m_report;
};

std::string LineError(const CalendarNote& error) {
  return "line " + std::to_string(error.lineNumber) + ": " + error.message;
}

constexpr size_t kReadBlock = 64 * 1024;

// Hands the stream to the reader in blocks until its end, or until stop says.
// The stream buffer is read directly, so that what it throws reaches the caller.
void ReadStream(std::istream& calendar, CCalendarReader& reader, const bool& stop) {
  std::vector<char> block(kReadBlock);
  std::streambuf* buffer = calendar.rdbuf();
  std::streamsize got = 0;
  while (!stop && buffer != nullptr &&
         (got = buffer->sgetn(block.data(), static_cast<std::streamsize>(block.size()))) > 0) {
    reader.Feed(std::string_view(block.data(), static_cast<size_t>(got)));
  }
}

// Two readings: the outline first (the zones, the occurrences that events
// move, wherever in the file they stand), then each event planned as it
// ends, so that no more of the file is held than one event.
bool PlanFromStream(std::istream& calendar, const ImportOptions& options, ImportPlan& plan, CImportReport& reporter,
                    std::string& error) {
  const BookTimeZone* zone = FindBookTimeZone(options.timeZone);
  if (zone == nullptr) {
    error = "the time zone \"" + options.timeZone + "\" is not one the book can be kept in";
    return false;
  }
  CalendarOutline outline;
  CalendarNote failure;
  const bool never = false;
  {
    CCalendarReader scan([&](CalendarEvent& event) { AddToOutline(event, options, outline); },
                         [](const CalendarNote&) {}, true);
    ReadStream(calendar, scan, never);
    if (!scan.Finish(failure)) {
      error = LineError(failure);
      return false;
    }
    outline.zones = scan.Reading().zones;
  }
  if (calendar.rdbuf()->pubseekpos(0, std::ios::in) != std::streampos(0)) {
    error = "the file cannot be read a second time";
    return false;
  }
  CImportPlanner planner(outline, options, *zone, plan, reporter);
  bool tooMany = false;
  CCalendarReader read([&](CalendarEvent& event) { tooMany = tooMany || !planner.PlanEvent(event, failure); },
                       [&](const CalendarNote& note) { reporter.Warning(note.lineNumber, note.message); });
  ReadStream(calendar, read, tooMany);
  if (tooMany) {
    error = LineError(failure);
    return false;
  }
  read.Finish(failure);
  reporter.Summary().skippedWithoutStart = read.Reading().skippedWithoutStart;
  reporter.Summary().skippedForRule = read.Reading().skippedForRule;
  return true;
}

}  // namespace

bool ImportCalendar(std::istream& calendar, const std::string& folder, const ImportOptions& options,
                    std::ostream& report, ImportSummary& summary, std::string& error) {
  CImportReport reporter(report);
  try {
    ImportPlan plan;
    if (!PlanFromStream(calendar, options, plan, reporter, error)) return false;
    reporter.FlushWarnings();
    CMonthImport months(folder, options, reporter);
    for (auto first = plan.begin(); first != plan.end();) {
      CalendarDate date = DateOfDayNumber(first->first);
      auto last = first;
      while (last != plan.end() && DateOfDayNumber(last->first).month == date.month &&
             DateOfDayNumber(last->first).year == date.year) {
        ++last;
      }
      months.Run(date.year, date.month, first, last);
      first = last;
    }
  } catch (const std::bad_alloc&) {
    // What the plan held is given back by now, so the message can be made.
    int written = reporter.Summary().monthFiles;
    error = "there is not enough memory for the import; " +
            (written == 0 || options.dryRun ? std::string("--from and --to can narrow it")
                                            : std::to_string(written) + " month file(s) were already written whole");
    return false;
  }
  summary = reporter.Summary();
  return true;
}
