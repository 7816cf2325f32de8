#pragma once
// Printing from the schedule window: Ctrl+P (or the host's command) opens
// the choice of what to print with its preview, then the system's print
// dialog; a host may also ask for a print to the default printer without
// any dialog. The job runs on a thread of its own with a progress window
// once it takes a while; what went wrong is told, and nothing half printed
// comes out.
#include <memory>
#include <string>

#include "print/PrintChoice.h"
#include "print/PrintRun.h"
#include "tool/PrintRequest.h"
#include "ui/PrintDocuments.h"
#include "ui/PrintProgressWindow.h"
#include "ui/PrinterChoice.h"

class CScheduleDialog;

// The window's timer while a job runs: the progress window, once it takes a while.
constexpr UINT_PTR kPrintProgressTimer = 30;

class CSchedulePrinting {
 public:
  explicit CSchedulePrinting(CScheduleDialog& window) : m_window(window) {}
  CSchedulePrinting(const CSchedulePrinting&) = delete;
  CSchedulePrinting& operator=(const CSchedulePrinting&) = delete;

  void PrintWithDialogs();
  // Posts WM_TOOL_PRINTED to the host window when it ends, or at once when it cannot begin.
  void PrintWithoutDialogs(const PrintRequest& request);
  void OnProgressTimer();
  void OnPrintEnded();
  // The window closes: a job still going is cancelled, so nothing half printed comes out.
  void Stop();

 private:
  // The document of the choice, with what the book and the host hold now;
  // nullptr when there is nothing to print or the user stopped. ask: boxes
  // may be shown, owned by owner (the window when nullptr); otherwise what
  // stopped it goes to ended.
  std::unique_ptr<IPrintDocument> MakeDocument(const PrintChoice& choice, bool ask, PrintEnd& ended,
                                               HWND owner = nullptr);
  std::shared_ptr<MonthSheetData> ReadMonthSheet();
  PrintNames ReadNames();
  void Preview(HWND owner, const PrintChoice& choice);
  void Start(PrinterChoice printer, std::unique_ptr<IPrintDocument> document, bool tellHost);
  void TellHost(PrintEnd ended, size_t failedPage);
  // A box owned by owner (the window, or a dialog it shows, when nullptr), bracketed by m_modalActive.
  int Tell(const std::string& text, UINT type, HWND owner = nullptr);

  CScheduleDialog& m_window;  // not owned: it owns this
  CPrintRun m_run;
  std::unique_ptr<CPrintProgressWindow> m_progress;
  bool m_tellHost = false;
  DWORD m_startedAt = 0;
  // What the print dialog opens with next time; its dates follow the month shown.
  PrintChoice m_lastChoice;
};
