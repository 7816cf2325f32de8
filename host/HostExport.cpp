#include "host/HostExport.h"

#include <cwctype>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "win/WinHeaders.h"

std::wstring BookFolder(const std::wstring& dataDirectory) { return dataDirectory + L"\\Plannix"; }

ExportFormat FormatForFile(const std::wstring& path, ExportFormat fallback) {
  if (path.size() < 4) return fallback;
  std::wstring tail = path.substr(path.size() - 4);
  for (wchar_t& c : tail) c = static_cast<wchar_t>(std::towlower(c));
  if (tail == L".csv") return ExportFormat::kCsv;
  if (tail == L".ics") return ExportFormat::kICalendar;
  return fallback;
}

HostExportResult ExportBookToFile(const std::wstring& dataDirectory, const ExportOptions& options,
                                  const std::wstring& target) {
  HostExportResult result;
  std::filesystem::path targetPath(target);
  std::ofstream file(targetPath, std::ios::binary | std::ios::trunc);
  if (!file) {
    result.error = L"cannot create " + target;
    return result;
  }
  std::ostringstream warnings;
  bool listed = ExportBook(std::filesystem::path(BookFolder(dataDirectory)), options, file, warnings, result.summary);
  file.close();
  result.warnings = warnings.str();
  if (!listed) {
    result.error = L"cannot read the folder " + BookFolder(dataDirectory);
  } else if (!file) {
    result.error = L"the export could not be written in full into " + target;
  } else {
    result.written = true;
    return result;
  }
  std::error_code ignored;  // the failure is reported; a file left over adds nothing to it
  std::filesystem::remove(targetPath, ignored);
  return result;
}
