#include "host/HostImport.h"

#include <filesystem>
#include <fstream>
#include <new>
#include <sstream>

#include "host/ExactCp932.h"
#include "host/HostExport.h"
#include "host/HostPaths.h"
#include "import/BookImport.h"

YearMonth EndlessRulesUntil(const DateRecord& today) { return {today.wYear + 1, 12}; }

HostImportResult ImportIntoBook(const std::wstring& dataDirectory, const std::wstring& calendarPath,
                                const ImportOptions& options) try {
  HostImportResult result;
  std::ifstream calendar(std::filesystem::path(calendarPath), std::ios::binary);
  if (!calendar.is_open()) {
    result.error = L"cannot read " + calendarPath;
    return result;
  }
  std::wstring folder = BookFolder(dataDirectory);
  std::string narrowFolder;
  if (!ToCp932Exactly(folder, narrowFolder)) {
    result.error = L"the name of the folder " + folder + L" cannot be written in code page 932";
    return result;
  }
  if (!options.dryRun && !EnsureFolder(folder)) {
    result.error = L"cannot create the folder " + folder;
    return result;
  }
  std::ostringstream report;
  std::string error;
  result.read = ImportCalendar(calendar, narrowFolder, options, report, result.summary, error);
  result.report = report.str();
  if (!result.read) result.error = calendarPath + L": " + WidenUtf8(error);
  return result;
} catch (const std::bad_alloc&) {
  // Inside the host's own process: the import stops, the host goes on.
  HostImportResult result;
  result.error = calendarPath + L": there is not enough memory for the import";
  return result;
}
