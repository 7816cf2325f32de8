#include "host/MainWindow.h"

#include "host/AboutDialog.h"
#include "host/ExactCp932.h"
#include "host/ExportFileDialog.h"
#include "host/HostExport.h"
#include "host/ImportCommand.h"
#include "host/MessagePump.h"
#include "host/NotebookPage.h"
#include "host/ShownLines.h"
#include "host/res/HostResource.h"
#include "tool/PrintRequest.h"
#include "win/Text.h"

namespace {

constexpr UINT_PTR kControlsTimer = 1;
constexpr UINT kControlsTimerMs = 300;
// The picker's result when nothing was chosen.
constexpr INT_PTR kPickerCancelled = 2;
// Dialog units of the result list's tab stops: date, label, text.
const int g_resultTabStops[] = {48, 96};
constexpr wchar_t kExportCaption[] = L"Export the schedule book";

// One list row per line: the text's line breaks become spaces, the
// closing TAB and LF go.
std::wstring DisplayLine(const char* line) {
  std::wstring text = WidenCp932(line);
  for (wchar_t& c : text) {
    if (c == L'\n' || c == L'\r') c = L' ';
  }
  while (!text.empty() && (text.back() == L' ' || text.back() == L'\t')) text.pop_back();
  return text;
}

}  // namespace

CMainWindow::CMainWindow(CHostContext& context)
    : CDialog(IDD_HOST_MAIN, nullptr), m_context(context), m_session(*this, context.Services()) {}

CMainWindow::~CMainWindow() { m_search.Cancel(); }

bool CMainWindow::Start() { return Create(IDD_HOST_MAIN, nullptr); }

int CMainWindow::Run() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (!PreTranslateMessage(&msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  return static_cast<int>(msg.wParam);
}

BOOL CMainWindow::OnInitDialog() {
  CheckRadioButton(m_hWnd, IDC_KIND_TEXT, IDC_KIND_SEAL, IDC_KIND_TEXT);
  LoadNotebookPage(GetDlgItem(IDC_NOTEBOOK), m_context.DataDirectory());
  SendDlgItemMessageW(m_hWnd, IDC_RESULTS, LB_SETTABSTOPS, 2, reinterpret_cast<LPARAM>(g_resultTabStops));
  std::wstring loadError = m_session.Load();
  m_toolLoaded = loadError.empty();
  if (m_toolLoaded) {
    m_session.Open(true);
    SetStatus(L"Opening the schedule...");
  } else {
    SetStatus(loadError);
  }
  SetTimer(m_hWnd, kControlsTimer, kControlsTimerMs, nullptr);
  UpdateControls();
  return TRUE;
}

INT_PTR CMainWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TOOL_READY:
      m_session.OnReady();
      SetStatus(L"Schedule open.");
      UpdateControls();
      return TRUE;
    case WM_TOOL_CLOSING:
      SetStatus(L"Schedule closed.");
      return TRUE;
    case WM_TOOL_SEARCHRESULT:
      OnSearchResult(reinterpret_cast<const CString*>(wParam));
      return TRUE;
    case WM_HOST_SEARCHDONE:
      OnSearchDone();
      return TRUE;
    case WM_TIMER:
      // The tool's window closes on its own thread: follow it here.
      UpdateControls();
      return TRUE;
    case WM_QUERYENDSESSION:
    case WM_ENDSESSION:
      // As the notebook does: the tool saves what it holds before the session ends.
      if ((message == WM_QUERYENDSESSION || wParam) && m_session.Window() != nullptr) m_session.Tool()->SaveState();
      return SetDialogResult(m_hWnd, message == WM_QUERYENDSESSION ? TRUE : 0);
    case WM_CLOSE:
      OnClose();
      return TRUE;
    case WM_DESTROY:
      KillTimer(m_hWnd, kControlsTimer);
      PostQuitMessage(0);
      break;
    default:
      break;
  }
  return CDialog::WindowProc(message, wParam, lParam);
}

BOOL CMainWindow::OnCommand(WPARAM wParam, LPARAM) {
  if (LOWORD(wParam) == IDC_NOTEBOOK) {
    if (HIWORD(wParam) == EN_CHANGE) SaveNotebookPage(GetDlgItem(IDC_NOTEBOOK), m_context.DataDirectory());
    return TRUE;
  }
  switch (LOWORD(wParam)) {
    case IDC_OPEN_TOOL:
      if (m_toolLoaded && m_session.Window() == nullptr) m_session.Open(true);
      return TRUE;
    case IDC_SAVE_TOOL:
      OnSave();
      return TRUE;
    case IDC_TOOL_SETTINGS:
      OnSettings();
      return TRUE;
    case IDC_PRINT_TOOL:
      // Posted, as the settings are: the tool's dialogs run on its own thread.
      if (m_session.Window() != nullptr) ::PostMessageW(m_session.Window(), WM_TOOL_PRINT, kPrintWithDialogs, 0);
      return TRUE;
    case IDC_ABOUT:
      OnAbout();
      return TRUE;
    case IDC_EXPORT:
      OnExport();
      return TRUE;
    case IDC_SYNC_SETUP:
      OnSyncSetup();
      return TRUE;
    case IDC_IMPORT:
      if (m_search.IsRunning() || m_toolDialogOpen) return TRUE;
      SetStatus(RunImportFromWindow(m_hWnd, m_session, m_context.DataDirectory(), m_context.Services().Today()));
      UpdateControls();
      return TRUE;
    case IDC_RUN_SEARCH:
    case IDOK:
      OnRunSearch();
      return TRUE;
    case IDC_CANCEL_SEARCH:
    case IDCANCEL:  // Escape stops a search and leaves the window open
      m_search.Cancel();
      return TRUE;
    default:
      return FALSE;
  }
}

void CMainWindow::OnSave() {
  if (m_session.Window() == nullptr) return;
  int saved = m_session.Tool()->SaveState();
  SetStatus(saved == 1 ? L"Saved." : L"The month file could not be written.");
}

void CMainWindow::OnSettings() {
  // Posted, so that this window goes on answering while the dialog is up.
  if (m_session.Window() != nullptr) ::PostMessageW(m_session.Window(), WM_TOOL_SETTINGS, 0, 0);
}

void CMainWindow::OnAbout() {
  if (!m_toolLoaded) return;
  CAboutDialog about(*m_session.Tool(), this);
  about.DoModal();
}

void CMainWindow::OnExport() {
  std::wstring target;
  ExportFormat format = ExportFormat::kICalendar;
  if (!AskExportTarget(m_hWnd, target, format)) return;
  // What was just typed into the schedule is in its month file only after a save.
  if (m_session.Window() != nullptr && m_session.Tool()->SaveState() != 1) {
    MessageBoxW(m_hWnd, L"The month on display could not be saved, so the export would miss it. Nothing was exported.",
                kExportCaption, MB_OK | MB_ICONERROR);
    return;
  }
  ExportOptions options;
  options.format = format;
  options.timeZone = kHostBookTimeZone;
  HostExportResult result = ExportBookToFile(m_context.DataDirectory(), options, target);
  std::wstring warnings = ShownLines(WidenUtf8(result.warnings), L"warning(s)");
  if (!result.written) {
    std::wstring text = L"The export failed: " + result.error + L".";
    if (!warnings.empty()) text += L"\n\n" + warnings;
    MessageBoxW(m_hWnd, text.c_str(), kExportCaption, MB_OK | MB_ICONERROR);
    SetStatus(L"The export failed.");
    return;
  }
  std::wstring text = std::to_wstring(result.summary.days) + L" day(s) from " +
                      std::to_wstring(result.summary.monthFiles) + L" month file(s) exported into " + target + L".";
  if (!warnings.empty()) text += L"\n\n" + std::to_wstring(result.summary.warnings) + L" warning(s):\n" + warnings;
  MessageBoxW(m_hWnd, text.c_str(), kExportCaption, MB_OK | (warnings.empty() ? MB_ICONINFORMATION : MB_ICONWARNING));
  SetStatus(std::to_wstring(result.summary.days) + L" day(s) exported.");
}

void CMainWindow::OnSyncSetup() {
  if (!m_toolLoaded || m_toolDialogOpen) return;
  auto* dialog = reinterpret_cast<CDialog*>(m_session.Tool()->Search(nullptr, "CSyncSetupDialog"));
  if (dialog == nullptr) {
    SetStatus(L"The schedule has no data folder to sync.");
    return;
  }
  m_toolDialogOpen = true;
  dialog->m_pParentWnd = this;
  const INT_PTR result = dialog->DoModal();
  dialog->m_pParentWnd = nullptr;
  m_toolDialogOpen = false;
  if (result == IDOK) SetStatus(L"Calendar sync settings saved.");
}

int CMainWindow::ChooseSeal() {
  auto* picker = reinterpret_cast<CDialog*>(m_session.Tool()->Search(nullptr, "CSealDialog"));
  if (picker == nullptr) return 0;
  m_toolDialogOpen = true;
  INT_PTR chosen = picker->DoModal();
  m_toolDialogOpen = false;
  return chosen == kPickerCancelled || chosen <= 0 ? 0 : static_cast<int>(chosen);
}

void CMainWindow::OnRunSearch() {
  if (!m_toolLoaded || m_search.IsRunning() || m_toolDialogOpen) return;
  bool sealKind = IsDlgButtonChecked(m_hWnd, IDC_KIND_SEAL) == BST_CHECKED;
  std::string query;
  if (sealKind) {
    int bitmapId = ChooseSeal();
    if (bitmapId == 0) return;
    query = std::to_string(bitmapId);
    ::SetDlgItemTextW(m_hWnd, IDC_QUERY, WidenCp932(query.c_str()).c_str());
  } else {
    HWND edit = GetDlgItem(IDC_QUERY);
    std::wstring typed(static_cast<size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
    typed.resize(static_cast<size_t>(::GetWindowTextW(edit, &typed[0], static_cast<int>(typed.size()))));
    if (!ToCp932Exactly(typed, query)) {
      SetStatus(L"The words hold characters that the schedule book cannot.");
      return;
    }
  }
  SendDlgItemMessageW(m_hWnd, IDC_RESULTS, LB_RESETCONTENT, 0, 0);
  m_resultCount = 0;
  m_search.Start(*m_session.Tool(), *this, sealKind ? kSealSearch : kTextSearch, query);
  SetStatus(L"Searching...");
  UpdateControls();
}

void CMainWindow::OnSearchResult(const CString* line) {
  if (line == nullptr) return;
  std::wstring text = DisplayLine(line->c_str());
  SendDlgItemMessageW(m_hWnd, IDC_RESULTS, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  ++m_resultCount;
}

void CMainWindow::OnSearchDone() {
  m_search.Wait(0);
  SetStatus(std::to_wstring(m_resultCount) + L" line(s) found.");
  UpdateControls();
}

void CMainWindow::OnClose() {
  if (m_toolDialogOpen || m_session.IsModalActive()) {
    // The tool is in a dialog of its own: closing now would pull its window away under it.
    MessageBeep(MB_ICONWARNING);
    SetStatus(L"Close the schedule's dialog first.");
    return;
  }
  m_search.Cancel();
  m_search.Wait(kToolTimeoutMs);
  if (!m_session.Close()) {
    SetStatus(L"The schedule did not close.");
    return;
  }
  DestroyWindow();
}

void CMainWindow::UpdateControls() {
  bool open = m_session.Window() != nullptr;
  bool searching = m_search.IsRunning();
  EnableWindow(GetDlgItem(IDC_OPEN_TOOL), m_toolLoaded && !open);
  EnableWindow(GetDlgItem(IDC_SAVE_TOOL), open);
  EnableWindow(GetDlgItem(IDC_TOOL_SETTINGS), open);
  EnableWindow(GetDlgItem(IDC_PRINT_TOOL), open);
  EnableWindow(GetDlgItem(IDC_ABOUT), m_toolLoaded);
  EnableWindow(GetDlgItem(IDC_SYNC_SETUP), m_toolLoaded);
  // Both write into the book the search is reading: the export saves the month on display first.
  EnableWindow(GetDlgItem(IDC_EXPORT), !searching);
  EnableWindow(GetDlgItem(IDC_IMPORT), !searching);
  EnableWindow(GetDlgItem(IDC_RUN_SEARCH), m_toolLoaded && !searching);
  EnableWindow(GetDlgItem(IDC_CANCEL_SEARCH), searching);
}

void CMainWindow::SetStatus(const std::wstring& text) { ::SetDlgItemTextW(m_hWnd, IDC_STATUS, text.c_str()); }
