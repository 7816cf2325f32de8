#pragma once
// What the import did, line by line as it goes and counted for the end.
#include <ostream>
#include <string>
#include <vector>

struct ImportSummary {
  int monthFiles = 0;  // written (or, in a dry run, to be written)
  int days = 0;        // changed
  int linesAdded = 0;
  int memosAdded = 0;
  int sealsAdded = 0;
  int alreadyThere = 0;
  int noFreeLine = 0;
  int noRoomInMemo = 0;
  int noFreeSealSlot = 0;
  int inFailedMonths = 0;  // entries of months that could not be read or written
  int failedMonths = 0;
  int cut = 0;
  int substituted = 0;  // texts with characters that cp932 cannot hold
  int outsideRange = 0;
  int warnings = 0;
  int skippedWithoutStart = 0;  // events without a DTSTART that can be read
  int skippedForRule = 0;       // events with an RRULE that cannot be read

  int Added() const { return linesAdded + memosAdded + sealsAdded; }
  int NotAdded() const { return noFreeLine + noRoomInMemo + noFreeSealSlot + inFailedMonths; }
};

// Report lines in UTF-8, each ended by LF.
class CImportReport {
 public:
  explicit CImportReport(std::ostream& out) : m_out(out) {}

  // Kept until FlushWarnings, which writes them in the order of their lines.
  void Warning(int lineNumber, const std::string& text);
  void FlushWarnings();
  void Day(int dayNumber, const std::string& text);
  void Month(int year, int month, const std::string& text);

  ImportSummary& Summary() { return m_summary; }

 private:
  struct PendingWarning {
    int lineNumber;
    std::string text;
  };

  std::ostream& m_out;
  ImportSummary m_summary;
  std::vector<PendingWarning> m_pending;
};

// The closing lines: days and months changed, entries added, skipped and
// not added with the reasons, events skipped and why.
std::string FormatImportSummary(const ImportSummary& summary, bool dryRun);

// A text on one report line: line breaks shown as \n, in double quotes.
std::string QuotedText(const std::string& utf8);
