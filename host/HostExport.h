#pragma once
// The schedule book of the host's data directory exported into one file,
// for the Export command of the window and of the command line.
#include <string>

#include "export/BookExport.h"
#include "win/Text.h"

// The zone the book's times are kept in: the window's export writes timed
// lines in it, and its import converts the times of a calendar into it.
constexpr const char* kHostBookTimeZone = kDefaultTimeZone;

// The folder the tool keeps its month files in.
std::wstring BookFolder(const std::wstring& dataDirectory);

// .csv gives CSV and .ics iCalendar, in any letter case; otherwise fallback.
ExportFormat FormatForFile(const std::wstring& path, ExportFormat fallback);

struct HostExportResult {
  bool written = false;
  ExportSummary summary;
  std::string warnings;  // UTF-8 lines, each ended by LF
  std::wstring error;    // why nothing usable was written
};

// Writes the export into target, replacing it. On failure the target is
// removed, so that no half file passes for an export.
HostExportResult ExportBookToFile(const std::wstring& dataDirectory, const ExportOptions& options,
                                  const std::wstring& target);
