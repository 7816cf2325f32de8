#pragma once
// The command-line runs of the host, without a main window. Each returns
// the process's exit code and reports what failed on standard error.
#include "host/HostContext.h"
#include "host/HostOptions.h"

int RunSearchCommand(const HostOptions& options, CHostContext& context);
int RunSaveAndExitCommand(CHostContext& context);
int RunScreenshotCommand(const HostOptions& options, CHostContext& context);
// Prints to the default printer through the tool's window, without its dialogs.
int RunPrintCommand(const HostOptions& options, CHostContext& context);
int RunHolidaysCommand(const HostOptions& options);
// Reads the month files only: the tool is not loaded.
int RunExportCommand(const HostOptions& options);
// Reads and writes the month files only: the tool is not loaded.
int RunImportCommand(const HostOptions& options);
// One sync of the book with its calendar, without the tool: 0 when it went
// through, 1 with the reason on standard error otherwise.
int RunSyncCommand(CHostContext& context);
