#include "import/ImportReport.h"

#include <algorithm>
#include <cstdio>

#include "calendar/DayNumber.h"

void CImportReport::Warning(int lineNumber, const std::string& text) {
  m_pending.push_back({lineNumber, text});
  ++m_summary.warnings;
}

void CImportReport::FlushWarnings() {
  std::stable_sort(m_pending.begin(), m_pending.end(),
                   [](const PendingWarning& a, const PendingWarning& b) { return a.lineNumber < b.lineNumber; });
  for (const PendingWarning& warning : m_pending)
    m_out << "warning: line " << warning.lineNumber << ": " << warning.text << '\n';
  m_pending.clear();
}

void CImportReport::Day(int dayNumber, const std::string& text) {
  CalendarDate date = DateOfDayNumber(dayNumber);
  char stamp[16];
  std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d", date.year, date.month, date.day);
  m_out << stamp << ' ' << text << '\n';
}

void CImportReport::Month(int year, int month, const std::string& text) {
  char name[40];
  std::snprintf(name, sizeof name, "schedule%d_%02d.dat", year, month);
  m_out << name << ": " << text << '\n';
}

std::string FormatImportSummary(const ImportSummary& summary, bool dryRun) {
  auto n = [](int count) { return std::to_string(count); };
  std::string text = n(summary.days) + " day(s) in " + n(summary.monthFiles) + " month file(s) " +
                     (dryRun ? "would change" : "changed") + ": " + n(summary.linesAdded) + " line(s), " +
                     n(summary.memosAdded) + " memo text(s) and " + n(summary.sealsAdded) + " seal(s) " +
                     (dryRun ? "to add" : "added") + ".\n";
  text += n(summary.alreadyThere) + " entr(y/ies) already in the book, skipped.\n";
  text += n(summary.NotAdded()) + " entr(y/ies) not added: " + n(summary.noFreeLine) + " without a free line, " +
          n(summary.noRoomInMemo) + " without room in the memo, " + n(summary.noFreeSealSlot) +
          " without a free seal slot, " + n(summary.inFailedMonths) +
          " in month files that could not be read or written.\n";
  if (summary.cut > 0 || summary.substituted > 0) {
    text += n(summary.cut) + " text(s) cut to fit their field, " + n(summary.substituted) +
            " with characters that cp932 cannot hold written as ?.\n";
  }
  int skipped = summary.skippedWithoutStart + summary.skippedForRule;
  if (skipped > 0) {
    text += n(skipped) + " event(s) skipped: " + n(summary.skippedWithoutStart) +
            " without a DTSTART that can be read, " + n(summary.skippedForRule) +
            " with an RRULE that cannot be read.\n";
  }
  if (summary.outsideRange > 0) text += n(summary.outsideRange) + " occurrence(s) outside --from/--to left out.\n";
  if (dryRun) text += "Nothing was written (dry run).\n";
  return text;
}

std::string QuotedText(const std::string& utf8) {
  std::string quoted = "\"";
  for (size_t i = 0; i < utf8.size(); ++i) {
    if (utf8[i] == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n') continue;
    if (utf8[i] == '\n') {
      quoted += "\\n";
    } else {
      quoted += utf8[i];
    }
  }
  return quoted + '"';
}
