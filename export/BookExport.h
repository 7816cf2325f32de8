#pragma once
// The whole schedule book of a data folder written in one export format.
#include <filesystem>
#include <ostream>
#include <string>

#include "calendar/YearMonth.h"
#include "export/BookTimeZone.h"

enum class ExportFormat { kICalendar, kCsv };

struct ExportOptions {
  ExportFormat format = ExportFormat::kICalendar;
  YearMonth from{1, 1};  // the first and last month exported, both included
  YearMonth to{9999, 12};
  std::string timeZone = kDefaultTimeZone;  // of the timed lines in iCalendar; one FindBookTimeZone knows
};

struct ExportSummary {
  int monthFiles = 0;  // read and exported
  int days = 0;        // with content
  int warnings = 0;
};

// Reads every month file of the folder within the range, oldest first,
// and writes the days with content to out. Damaged or unreadable files
// are named on warnings, one line each, and the export goes on. False
// (with a line on warnings) only when the folder cannot be listed or the
// time zone is unknown.
bool ExportBook(const std::filesystem::path& folder, const ExportOptions& options, std::ostream& out,
                std::ostream& warnings, ExportSummary& summary);
