// plannix-export: a Plannix data folder as iCalendar or CSV.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "export/BookExport.h"
#include "export/ExportArguments.h"
#include "export/StandardOutput.h"

namespace {

constexpr int kExitBadArguments = 2;
constexpr int kExitFailed = 1;

int Run(const ExportArguments& arguments) {
  std::filesystem::path folder(arguments.folder);
  std::error_code failure;
  if (!std::filesystem::is_directory(folder, failure)) {
    std::cerr << "plannix-export: " << arguments.folder << ": not a readable folder\n";
    return kExitFailed;
  }
  std::ofstream file;
  if (!arguments.outPath.empty()) {
    file.open(std::filesystem::path(arguments.outPath), std::ios::binary | std::ios::trunc);
    if (!file) {
      std::cerr << "plannix-export: " << arguments.outPath << ": cannot be created\n";
      return kExitFailed;
    }
  } else {
    SetStandardOutputBinary();
  }
  std::ostream& out = arguments.outPath.empty() ? std::cout : file;
  ExportSummary summary;
  if (!ExportBook(folder, arguments.options, out, std::cerr, summary)) return kExitFailed;
  out.flush();
  if (!out) {
    std::cerr << "plannix-export: " << (arguments.outPath.empty() ? "standard output" : arguments.outPath)
              << ": the export could not be written in full\n";
    return kExitFailed;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  ExportArguments arguments;
  std::string error;
  if (!ParseExportArguments(argc, argv, arguments, error)) {
    std::cerr << "plannix-export: " << error << '\n' << ExportUsage();
    return kExitBadArguments;
  }
  if (arguments.help) {
    std::cout << ExportUsage();
    return 0;
  }
  return Run(arguments);
}
