// plannix-import: an iCalendar file brought into a Plannix data folder.
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <new>
#include <string>

#include "import/BookImport.h"
#include "import/CommandLine.h"
#include "import/ImportArguments.h"

namespace {

constexpr int kExitFailed = 1;
constexpr int kExitBadArguments = 2;

// December of next year: how far a rule without an end goes unless --to says.
YearMonth EndOfNextYear() {
  std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);
  return {local != nullptr ? local->tm_year + 1900 + 1 : 9999, 12};
}

int Fail(const std::string& message) {
  std::cerr << "plannix-import: " << message << '\n';
  return kExitFailed;
}

int Run(ImportArguments& arguments) {
  std::error_code failure;
  if (!std::filesystem::is_directory(std::filesystem::u8path(arguments.folder), failure)) {
    return Fail(arguments.folder + ": not a folder");
  }
  std::string folder;
  if (!DataLayerFolder(arguments.folder, folder)) {
    return Fail(arguments.folder + ": the folder's name cannot be written in code page 932");
  }
  std::ifstream calendar(std::filesystem::u8path(arguments.calendarPath), std::ios::binary);
  if (!calendar.is_open()) return Fail(arguments.calendarPath + ": cannot be read");
  if (!arguments.toGiven) arguments.options.endlessUntil = EndOfNextYear();
  ImportSummary summary;
  std::string error;
  if (!ImportCalendar(calendar, folder, arguments.options, std::cout, summary, error)) {
    return Fail(arguments.calendarPath + ": " + error + "; nothing was imported");
  }
  std::cout << FormatImportSummary(summary, arguments.options.dryRun);
  std::cout.flush();
  return summary.failedMonths > 0 ? kExitFailed : 0;
}

}  // namespace

int main(int argc, char** argv) try {
  ImportArguments arguments;
  std::string error;
  if (!ParseImportArguments(Utf8Arguments(argc, argv), arguments, error)) {
    std::cerr << "plannix-import: " << error << '\n' << ImportUsage();
    return kExitBadArguments;
  }
  if (arguments.help) {
    std::cout << ImportUsage();
    return 0;
  }
  return Run(arguments);
} catch (const std::bad_alloc&) {
  return Fail("there is not enough memory");
}
