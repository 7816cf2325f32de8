// plannix-host: loads Plannix.dll as Quirelle does, for people and scripts.
#include <cstdio>

#include "host/HostCommands.h"
#include "host/HostContext.h"
#include "host/HostOptions.h"
#include "host/MainWindow.h"

namespace {

int RunInteractive(CHostContext& context) {
  // Started from a desktop, the console made for us would only stand in the way.
  DWORD processes[2];
  if (GetConsoleProcessList(processes, 2) == 1) FreeConsole();
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  CMainWindow window(context);
  if (!window.Start()) {
    fwprintf(stderr, L"plannix-host: cannot create the main window\n");
    return kExitFailed;
  }
  return window.Run();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  HostOptions options;
  std::wstring error = ParseHostOptions(argc, argv, options);
  if (!error.empty()) {
    fwprintf(stderr, L"plannix-host: %ls\n%ls", error.c_str(), kHostUsage);
    return kExitUsage;
  }
  if (options.command == HostCommand::kHolidays) return RunHolidaysCommand(options);
  if (options.command == HostCommand::kExport) return RunExportCommand(options);
  if (options.command == HostCommand::kImport) return RunImportCommand(options);

  CHostContext context;
  error = context.Prepare(options);
  if (!error.empty()) {
    fwprintf(stderr, L"plannix-host: %ls\n", error.c_str());
    return kExitFailed;
  }
  switch (options.command) {
    case HostCommand::kSearch:
    case HostCommand::kSealSearch:
      return RunSearchCommand(options, context);
    case HostCommand::kSaveAndExit:
      return RunSaveAndExitCommand(context);
    case HostCommand::kScreenshot:
      return RunScreenshotCommand(options, context);
    case HostCommand::kPrint:
      return RunPrintCommand(options, context);
    case HostCommand::kSync:
      return RunSyncCommand(context);
    default:
      return RunInteractive(context);
  }
}
