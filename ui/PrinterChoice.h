#pragma once
// Which printer a job goes to, with its settings: the default one, or the
// one the system's print dialog chose.
#include <optional>
#include <string>
#include <vector>

#include "win/WinHeaders.h"

struct PrinterChoice {
  std::wstring device;
  std::vector<BYTE> devMode;  // a DEVMODEW and the driver's part after it; empty: the printer's own
};

// Whether the system knows of any printer at all.
bool IsAnyPrinterInstalled();

// The default printer in the orientation; nothing when there is none.
std::optional<PrinterChoice> DefaultPrinter(bool landscape);

enum class PrinterAsked { kChosen, kCancelled, kFailed };

// The system's print dialog on the default printer in the orientation.
// PrintDlgEx where the system gives it; PrintDlg where PrintDlgEx fails
// (olderDialog is then set).
PrinterAsked AskForPrinter(HWND owner, bool landscape, PrinterChoice& choice, bool& olderDialog);

// A device context of the printer; nullptr when it cannot be made.
HDC CreatePrinterDC(const PrinterChoice& printer);
