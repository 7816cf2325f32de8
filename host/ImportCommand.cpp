#include "host/ImportCommand.h"

#include <new>

#include "host/HostExport.h"
#include "host/HostImport.h"
#include "host/ImportFileDialog.h"
#include "host/ShownLines.h"

namespace {

constexpr wchar_t kImportCaption[] = L"Import a calendar";

std::wstring ResultText(const HostImportResult& result, bool dryRun) {
  std::wstring text = WidenUtf8(FormatImportSummary(result.summary, dryRun));
  try {
    std::wstring lines = ShownLines(WidenUtf8(result.report), L"line(s)");
    if (!lines.empty()) text += L"\n" + lines;
  } catch (const std::bad_alloc&) {
    // The report of a huge import may not fit a second time, widened: the summary says enough.
  }
  return text;
}

}  // namespace

std::wstring RunImportFromWindow(HWND owner, CToolSession& session, const std::wstring& dataDirectory,
                                 const DateRecord& today) {
  std::wstring source;
  if (!AskImportSource(owner, source)) return L"";
  // What was just typed into the schedule is in its month file only after a save.
  if (session.Window() != nullptr && session.Tool()->SaveState() != 1) {
    MessageBoxW(owner, L"The month on display could not be saved. Nothing was imported.", kImportCaption,
                MB_OK | MB_ICONERROR);
    return L"Nothing was imported.";
  }
  ImportOptions options;
  options.endlessUntil = EndlessRulesUntil(today);
  options.timeZone = kHostBookTimeZone;
  options.dryRun = true;
  HostImportResult preview = ImportIntoBook(dataDirectory, source, options);
  if (!preview.read) {
    MessageBoxW(owner, (L"The calendar cannot be imported.\n\n" + preview.error).c_str(), kImportCaption,
                MB_OK | MB_ICONERROR);
    return L"Nothing was imported.";
  }
  if (preview.summary.Added() == 0) {
    MessageBoxW(owner, (L"Nothing to import.\n\n" + ResultText(preview, true)).c_str(), kImportCaption,
                MB_OK | MB_ICONINFORMATION);
    return L"Nothing was imported.";
  }
  std::wstring question = L"Import into the schedule book?\n\n" + ResultText(preview, true);
  if (MessageBoxW(owner, question.c_str(), kImportCaption, MB_YESNO | MB_ICONQUESTION) != IDYES) return L"";
  bool reopen = session.Window() != nullptr;
  if (reopen && !session.Close()) {
    MessageBoxW(owner, L"Close the schedule's dialog first. Nothing was imported.", kImportCaption,
                MB_OK | MB_ICONWARNING);
    return L"Nothing was imported.";
  }
  options.dryRun = false;
  HostImportResult result = ImportIntoBook(dataDirectory, source, options);
  bool failed = !result.read || result.summary.failedMonths > 0;
  std::wstring text = result.read ? ResultText(result, false) : result.error;
  MessageBoxW(owner, text.c_str(), kImportCaption, MB_OK | (failed ? MB_ICONWARNING : MB_ICONINFORMATION));
  // Opened after the box, so that the window coming up does not hide it.
  if (reopen) session.Open(true);
  if (!result.read) return L"Nothing was imported.";
  return std::to_wstring(result.summary.Added()) + L" entr(y/ies) imported.";
}
