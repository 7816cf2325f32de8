#pragma once
// An iCalendar file brought into the schedule book of the host's data
// directory, for the Import command of the window and of the command line.
#include <string>

#include "import/ImportOptions.h"
#include "import/ImportReport.h"
#include "tool/ToolHost.h"

struct HostImportResult {
  bool read = false;  // the calendar was read; month files may still have failed (summary says)
  ImportSummary summary;
  std::string report;  // UTF-8 lines, each ended by LF
  std::wstring error;  // why nothing was imported
};

// How far a rule without an end goes: to the end of the year after today's.
YearMonth EndlessRulesUntil(const DateRecord& today);

// Creates the tool's folder for a real import when the book has none yet.
HostImportResult ImportIntoBook(const std::wstring& dataDirectory, const std::wstring& calendarPath,
                                const ImportOptions& options);
