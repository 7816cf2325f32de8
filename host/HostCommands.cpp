#include "host/HostCommands.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstring>

#include "host/CommandHostWindow.h"
#include "host/HolidayListing.h"
#include "host/HostExport.h"
#include "host/HostImport.h"
#include "host/HostPaths.h"
#include "host/MessagePump.h"
#include "host/SearchThread.h"
#include "host/ToolSession.h"
#include "host/WindowCapture.h"
#include "host/core/LocalDate.h"

namespace {

// A whole search over a large book may take a while; a hung one may not.
constexpr DWORD kSearchTimeoutMs = 600000;
// Ten years of diary on a slow printer.
constexpr DWORD kPrintTimeoutMs = 1200000;

// What a print's end means to the command line; "" for printed.
std::wstring PrintEndText(int ended, int failedPage) {
  switch (ended) {
    case kPrintEndPrinted:
      return L"";
    case kPrintEndCancelled:
      return L"the print was cancelled; nothing was printed";
    case kPrintEndNothing:
      return L"no day of the range holds anything to print (--print-empty-days prints them all)";
    case kPrintEndNoPrinter:
      return L"no printer is installed, or none is the default";
    case kPrintEndUnreadable:
      return L"a month file of the range could not be read; nothing was printed";
    case kPrintEndRefused:
      return L"the print was refused: the dates are wrong, or a print runs already";
    default:
      return failedPage > 0 ? L"the printer failed on page " + std::to_wstring(failedPage) + L"; nothing was printed"
                            : L"the printer failed; nothing was printed";
  }
}

int Fail(const std::wstring& message) {
  fwprintf(stderr, L"plannix-host: %ls\n", message.c_str());
  return kExitFailed;
}

FILE* OpenOutput(const std::wstring& path) {
  if (path.empty()) {
    _setmode(_fileno(stdout), _O_BINARY);
    return stdout;
  }
  return _wfopen(path.c_str(), L"wb");
}

struct ToolDialogSearch {
  HWND toolWindow;
  HWND found;
};

BOOL CALLBACK MatchToolDialog(HWND hwnd, LPARAM lParam) {
  auto* search = reinterpret_cast<ToolDialogSearch*>(lParam);
  if (hwnd == search->toolWindow || !IsWindowVisible(hwnd)) return TRUE;
  search->found = hwnd;
  return FALSE;
}

// The modal dialog the tool's UI thread shows besides its main window.
HWND FindToolDialog(HWND toolWindow) {
  ToolDialogSearch search = {toolWindow, nullptr};
  EnumThreadWindows(GetWindowThreadProcessId(toolWindow, nullptr), &MatchToolDialog, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool CaptureSettingsDialog(CToolSession& session, const std::wstring& path) {
  HWND toolWindow = session.Window();
  // Posted: the dialog runs its own loop inside the handler.
  ::PostMessageW(toolWindow, WM_TOOL_SETTINGS, 0, 0);
  HWND dialog = nullptr;
  PumpUntil([&] { return session.IsModalActive() && (dialog = FindToolDialog(toolWindow)) != nullptr; },
            kToolTimeoutMs);
  bool captured = dialog != nullptr && CaptureWindowToBmp(dialog, path);
  if (dialog != nullptr) ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  PumpUntil([&] { return !session.IsModalActive(); }, kToolTimeoutMs);
  return captured;
}

}  // namespace

int RunSearchCommand(const HostOptions& options, CHostContext& context) {
  CCommandHostWindow hostWnd;
  CToolSession session(hostWnd, context.Services());
  std::wstring loadError = session.Load();
  if (!loadError.empty()) return Fail(loadError);
  FILE* out = OpenOutput(options.outPath);
  if (out == nullptr) return Fail(L"cannot write " + options.outPath);
  bool written = true;
  hostWnd.SetLineHandler([&](const char* line) {
    // Each line as it arrives, NUL-terminated: lines may hold TABs and LFs.
    written = fwrite(line, 1, std::strlen(line) + 1, out) == std::strlen(line) + 1 && written;
    fflush(out);
  });
  CSearchThread search;
  int16_t kind = options.command == HostCommand::kSealSearch ? kSealSearch : kTextSearch;
  search.Start(*session.Tool(), hostWnd, kind, options.query);
  bool ended = search.Wait(kSearchTimeoutMs);
  if (out != stdout && fclose(out) != 0) written = false;
  if (!ended) return Fail(L"the search did not end in time");
  return written ? kExitOk : Fail(L"writing the search lines failed");
}

int RunSaveAndExitCommand(CHostContext& context) {
  CCommandHostWindow hostWnd;
  CToolSession session(hostWnd, context.Services());
  hostWnd.SetSession(&session);
  std::wstring loadError = session.Load();
  if (!loadError.empty()) return Fail(loadError);
  if (!session.OpenAndWait(false)) return Fail(L"the schedule window did not become ready");
  int saved = session.Tool()->SaveState();
  if (!session.Close()) return Fail(L"the schedule window did not close");
  return saved == 1 ? kExitOk : Fail(L"SaveState returned " + std::to_wstring(saved));
}

int RunScreenshotCommand(const HostOptions& options, CHostContext& context) {
  CCommandHostWindow hostWnd;
  CToolSession session(hostWnd, context.Services());
  hostWnd.SetSession(&session);
  std::wstring loadError = session.Load();
  if (!loadError.empty()) return Fail(loadError);
  if (!session.OpenAndWait(true)) return Fail(L"the schedule window did not become ready");
  bool captured = CaptureWindowToBmp(session.Window(), options.screenshotPath);
  bool settingsCaptured = options.settingsShotPath.empty() || CaptureSettingsDialog(session, options.settingsShotPath);
  bool closed = session.Close();
  if (!captured) return Fail(L"cannot capture the schedule window into " + options.screenshotPath);
  if (!settingsCaptured) return Fail(L"cannot capture the settings dialog into " + options.settingsShotPath);
  return closed ? kExitOk : Fail(L"the schedule window did not close");
}

int RunPrintCommand(const HostOptions& options, CHostContext& context) {
  CCommandHostWindow hostWnd;
  CToolSession session(hostWnd, context.Services());
  hostWnd.SetSession(&session);
  bool ended = false;
  std::wstring failure;
  hostWnd.SetPrintHandler([&](int end, int failedPage) {
    ended = true;
    failure = PrintEndText(end, failedPage);
  });
  std::wstring loadError = session.Load();
  if (!loadError.empty()) return Fail(loadError);
  if (!session.OpenAndWait(false)) return Fail(L"the schedule window did not become ready");
  PrintRequest request = options.printRequest;
  // Sent: the request lives for the call; the end is posted afterwards.
  ::SendMessageW(session.Window(), WM_TOOL_PRINT, kPrintWithoutDialogs, reinterpret_cast<LPARAM>(&request));
  PumpUntil([&] { return ended; }, kPrintTimeoutMs);
  bool closed = session.Close();
  if (!ended) return Fail(L"the print did not end in time");
  if (!failure.empty()) return Fail(failure);
  return closed ? kExitOk : Fail(L"the schedule window did not close");
}

int RunHolidaysCommand(const HostOptions& options) {
  std::string listing = HolidayListingUtf8(options.holidayYear);
  _setmode(_fileno(stdout), _O_BINARY);
  bool written = fwrite(listing.data(), 1, listing.size(), stdout) == listing.size() && fflush(stdout) == 0;
  return written ? kExitOk : Fail(L"writing the holidays failed");
}

int RunExportCommand(const HostOptions& options) {
  std::wstring dataDirectory = options.dataDirectory.empty() ? DefaultDataDirectory() : options.dataDirectory;
  if (dataDirectory.empty()) return Fail(L"no application data folder; give one with --data DIR");
  HostExportResult result = ExportBookToFile(dataDirectory, options.exportOptions, options.exportPath);
  // The warnings as they are, UTF-8: a script keeps them as the exporter's own.
  fwrite(result.warnings.data(), 1, result.warnings.size(), stderr);
  fflush(stderr);
  return result.written ? kExitOk : Fail(result.error);
}

int RunImportCommand(const HostOptions& options) {
  std::wstring dataDirectory = options.dataDirectory.empty() ? DefaultDataDirectory() : options.dataDirectory;
  if (dataDirectory.empty()) return Fail(L"no application data folder; give one with --data DIR");
  ImportOptions importOptions = options.importOptions;
  // The book's zone, as its export names it.
  importOptions.timeZone = options.exportOptions.timeZone;
  importOptions.endlessUntil =
      options.rangeEndGiven ? importOptions.to : EndlessRulesUntil(options.today ? *options.today : LocalToday());
  HostImportResult result = ImportIntoBook(dataDirectory, options.importPath, importOptions);
  if (!result.read) return Fail(result.error + L"; nothing was imported");
  // The report as the importer writes it, UTF-8: a script keeps it as plannix-import's own.
  std::string text = result.report + FormatImportSummary(result.summary, importOptions.dryRun);
  _setmode(_fileno(stdout), _O_BINARY);
  bool written = fwrite(text.data(), 1, text.size(), stdout) == text.size() && fflush(stdout) == 0;
  if (!written) return Fail(L"writing the report failed");
  return result.summary.failedMonths > 0 ? kExitFailed : kExitOk;
}
