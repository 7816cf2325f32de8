#pragma once
// What the host was asked to do on its command line.
#include <optional>
#include <string>

#include "export/BookExport.h"
#include "import/ImportOptions.h"
#include "tool/PrintRequest.h"
#include "tool/ToolHost.h"

enum class HostCommand {
  kInteractive,
  kSearch,
  kSealSearch,
  kSaveAndExit,
  kScreenshot,
  kHolidays,
  kExport,
  kImport,
  kPrint,
  kSync
};

struct HostOptions {
  HostCommand command = HostCommand::kInteractive;
  std::string query;     // cp932: the words, or the seal's bitmap id in decimal
  std::wstring outPath;  // empty: standard output
  std::wstring screenshotPath;
  std::wstring settingsShotPath;
  std::wstring dataDirectory;  // empty: the user's application data
  std::wstring iniPath;        // empty: beside the data directory's contents
  std::optional<DateRecord> today;
  int holidayYear = 0;
  std::wstring exportPath;
  ExportOptions exportOptions;  // --from and --to are read into it for --import too
  std::wstring importPath;
  ImportOptions importOptions;
  bool rangeEndGiven = false;  // --to: a rule without an end is repeated up to it
  PrintRequest printRequest;   // --print, to the default printer
};

// Exit codes of the host.
constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

extern const wchar_t kHostUsage[];

// Empty on success; otherwise what is wrong with the arguments.
std::wstring ParseHostOptions(int argc, const wchar_t* const* argv, HostOptions& options);
