#include "ui/SyncSetupDialog.h"

#include <algorithm>
#include <cstdio>

#include "calendar/DayNumber.h"
#include "sync/win/CredentialStore.h"
#include "sync/win/PcSync.h"
#include "sync/win/SyncAccount.h"
#include "sync/win/SyncThread.h"
#include "sync/win/WinHttpTransport.h"
#include "sync/win/XmlLiteReader.h"
#include "tool/ToolMessages.h"
#include "ui/SettingValue.h"
#include "ui/SyncFacts.h"
#include "ui/res/resource.h"
#include "win/Text.h"

namespace {

constexpr UINT_PTR kLastResultTimer = 1;
constexpr UINT kLastResultTimerMs = 500;
// The dialog's questions get an answer, or a failure, within seconds.
constexpr int kJobTimeoutMs = 15000;
// The name of the calendar the dialog makes (UTF-8).
constexpr char kNewCalendarName[] = u8"Plannix";

constexpr int g_JobButtons[] = {IDC_SYNC_FIND, IDC_SYNC_TEST, IDC_SYNC_MAKE};

std::string Trimmed(std::string text) {
  const size_t start = text.find_first_not_of(" \t\r\n");
  if (start == std::string::npos) return "";
  return text.substr(start, text.find_last_not_of(" \t\r\n") - start + 1);
}

std::wstring WideText(HWND control) { return GetWindowTextWide(control); }

void SetText(HWND dialog, int id, const std::wstring& text) { ::SetDlgItemTextW(dialog, id, text.c_str()); }

// "2025/12/09" or "2025-12-09", a date that exists.
bool ParseDay(const std::string& text, CalendarDate& date) {
  int year = 0, month = 0, day = 0;
  char first = 0, second = 0, rest = 0;
  if (std::sscanf(text.c_str(), "%d%c%d%c%d%c", &year, &first, &month, &second, &day, &rest) != 5) return false;
  if (first != second || (first != '/' && first != '-')) return false;
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31) return false;
  date = DateOfDayNumber(DayNumberOf(year, month, day));
  return date.year == year && date.month == month && date.day == day;
}

std::string FormatDay(const CalendarDate& date) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d/%02d/%02d", date.year, date.month, date.day);
  return text;
}

// Local time of a sync's end, "2026/12/09 10:15".
std::wstring LocalTimeOf(long long utcSeconds) {
  constexpr long long kSecondsFrom1601To1970 = 11644473600LL;
  const unsigned long long ticks = static_cast<unsigned long long>(utcSeconds + kSecondsFrom1601To1970) * 10000000ULL;
  FILETIME utc = {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
  FILETIME local;
  SYSTEMTIME time;
  if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &time)) return L"";
  wchar_t text[32];
  swprintf(text, 32, L"%04u/%02u/%02u %02u:%02u", time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute);
  return text;
}

// The last part of a calendar's address, for one whose name is not known yet.
std::string NameFromUrl(const std::string& url) {
  std::string path = url;
  while (!path.empty() && path.back() == '/') path.pop_back();
  return path.substr(path.find_last_of('/') + 1);
}

}  // namespace

CSyncSetupDialog::CSyncSetupDialog() : CDialog(IDD_SYNC_SETUP, nullptr) {}

CSyncSetupDialog::~CSyncSetupDialog() { EndJob(); }

void CSyncSetupDialog::Attach(CToolHost* host, std::string bookFolder, CSyncThread* syncThread,
                              std::function<void()> applied) {
  m_host = host;
  m_bookFolder = std::move(bookFolder);
  m_syncThread = syncThread;
  m_applied = std::move(applied);
}

INT_PTR CSyncSetupDialog::DoModal() {
  bool wasOpen = false;
  if (!m_open.compare_exchange_strong(wasOpen, true)) {
    if (IsWindow()) SetForegroundWindow(m_hWnd);
    return IDCANCEL;
  }
  const INT_PTR result = CDialog::DoModal();
  m_open = false;
  return result == IDOK ? IDOK : IDCANCEL;
}

std::string CSyncSetupDialog::TypedText(int id) const { return Trimmed(NarrowToUtf8(WideText(GetDlgItem(id)))); }

BOOL CSyncSetupDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  SyncSettings settings;
  const bool read = ReadSyncAccount(m_bookFolder, settings);
  SetText(m_hWnd, IDC_SYNC_ADDRESS, WidenUtf8(settings.calendarUrl));
  SetText(m_hWnd, IDC_SYNC_USER, WidenUtf8(settings.userName));
  std::wstring password;
  const bool kept =
      !settings.userName.empty() && ReadPassword(CredentialTarget(settings.calendarUrl, settings.userName), password);
  WipePassword(password);
  SetText(m_hWnd, IDC_SYNC_PASSWORD_KEPT, kept ? WidenCp932("（保存済み）") : L"");
  m_calendars.clear();
  m_homeUrl.clear();
  if (!settings.calendarUrl.empty())
    m_calendars.push_back({settings.calendarUrl, NameFromUrl(settings.calendarUrl), true});
  ShowCalendars(settings.calendarUrl);
  CheckDlgButton(m_hWnd, IDC_SYNC_SEALS, settings.seals ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(m_hWnd, IDC_SYNC_MEMO, settings.memo ? BST_CHECKED : BST_UNCHECKED);
  const bool yearAgo = settings.firstDay.year == 0;
  CheckRadioButton(m_hWnd, IDC_SYNC_FROM_YEAR_AGO, IDC_SYNC_FROM_DATE,
                   yearAgo ? IDC_SYNC_FROM_YEAR_AGO : IDC_SYNC_FROM_DATE);
  if (!yearAgo) SetText(m_hWnd, IDC_SYNC_FIRST_DAY, WidenUtf8(FormatDay(settings.firstDay)));
  CheckDlgButton(m_hWnd, IDC_SYNC_ENABLED, ReadSettingNumber(m_host, kSyncOnKey) != 0 ? BST_CHECKED : BST_UNCHECKED);
  SetText(m_hWnd, IDC_SYNC_CONNECTION, read ? L"" : WidenCp932("同期の設定ファイルを読めません。"));
  m_resultsShown = ~0ull;
  ShowLastResult();
  ::SetTimer(m_hWnd, kLastResultTimer, kLastResultTimerMs, nullptr);
  EnableControls();
  return TRUE;
}

void CSyncSetupDialog::ShowCalendars(const std::string& selectedUrl) {
  HWND list = GetDlgItem(IDC_SYNC_CALENDARS);
  ::SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (size_t i = 0; i < m_calendars.size(); ++i) {
    const std::wstring name = WidenUtf8(m_calendars[i].displayName);
    ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    if (m_calendars[i].url == selectedUrl) ::SendMessageW(list, LB_SETCURSEL, i, 0);
  }
  if (::SendMessageW(list, LB_GETCURSEL, 0, 0) == LB_ERR && !m_calendars.empty())
    ::SendMessageW(list, LB_SETCURSEL, 0, 0);
}

std::string CSyncSetupDialog::SelectedCalendarUrl() const {
  const LRESULT selected = ::SendMessageW(GetDlgItem(IDC_SYNC_CALENDARS), LB_GETCURSEL, 0, 0);
  if (selected == LB_ERR || static_cast<size_t>(selected) >= m_calendars.size()) return "";
  return m_calendars[static_cast<size_t>(selected)].url;
}

bool CSyncSetupDialog::ReadChoices(SyncSettings& settings) {
  ReadSyncAccount(m_bookFolder, settings);
  const std::string address = TypedText(IDC_SYNC_ADDRESS);
  const std::string chosen = SelectedCalendarUrl();
  // A calendar's own address typed and nothing searched: that is the calendar.
  settings.calendarUrl = chosen.empty() ? address : chosen;
  settings.userName = TypedText(IDC_SYNC_USER);
  settings.seals = IsDlgButtonChecked(m_hWnd, IDC_SYNC_SEALS) == BST_CHECKED;
  settings.memo = IsDlgButtonChecked(m_hWnd, IDC_SYNC_MEMO) == BST_CHECKED;
  settings.firstDay = {0, 0, 0};
  if (IsDlgButtonChecked(m_hWnd, IDC_SYNC_FROM_DATE) == BST_CHECKED &&
      !ParseDay(TypedText(IDC_SYNC_FIRST_DAY), settings.firstDay)) {
    SetText(m_hWnd, IDC_SYNC_CONNECTION, WidenCp932("日付は 2025/12/09 のように書いてください。"));
    ::SetFocus(GetDlgItem(IDC_SYNC_FIRST_DAY));
    MessageBeep(MB_ICONWARNING);
    return false;
  }
  settings.enabled = IsDlgButtonChecked(m_hWnd, IDC_SYNC_ENABLED) == BST_CHECKED;
  return true;
}

bool CSyncSetupDialog::ApplyChoices() {
  SyncSettings settings;
  if (!ReadChoices(settings)) return false;
  if (!WriteSyncAccount(m_bookFolder, settings)) {
    SetText(m_hWnd, IDC_SYNC_CONNECTION, WidenCp932("同期の設定を保存できませんでした。"));
    MessageBeep(MB_ICONWARNING);
    return false;
  }
  const bool wasOn = ReadSettingNumber(m_host, kSyncOnKey) != 0;
  if (m_host != nullptr && wasOn != settings.enabled)
    m_host->SetSetting(kToolId, kSyncOnKey, settings.enabled ? "1" : "0");
  std::wstring password = WideText(GetDlgItem(IDC_SYNC_PASSWORD));
  if (!password.empty() && !settings.userName.empty()) {
    const bool stored =
        StorePassword(CredentialTarget(settings.calendarUrl, settings.userName), settings.userName, password);
    SetText(m_hWnd, IDC_SYNC_PASSWORD_KEPT, WidenCp932(stored ? "（保存済み）" : "（保存できません）"));
    SetText(m_hWnd, IDC_SYNC_PASSWORD, L"");
  }
  WipePassword(password);
  if (m_applied) m_applied();
  return true;
}

void CSyncSetupDialog::OnOK() {
  if (!ApplyChoices()) return;
  ::KillTimer(m_hWnd, kLastResultTimer);
  EndJob();
  CDialog::OnOK();
}

void CSyncSetupDialog::OnCancel() {
  ::KillTimer(m_hWnd, kLastResultTimer);
  EndJob();
  CDialog::OnCancel();
}

void CSyncSetupDialog::SyncNow() {
  if (m_syncThread == nullptr || !ApplyChoices()) return;
  SetText(m_hWnd, IDC_SYNC_LAST, WidenCp932("同期しています..."));
  // Asked for, it runs also with the sync turned off.
  m_syncThread->AskNow(SyncFactsOfHost(m_host));
}

void CSyncSetupDialog::ShowLastResult() {
  SyncResultLine last;
  if (m_syncThread != nullptr) {
    uint64_t ended = 0;
    last = m_syncThread->LastResult(ended);
    if (ended == m_resultsShown) return;
    m_resultsShown = ended;
  }
  if (last.utcSeconds == 0) {
    // No sync in this process yet: what the last one here left.
    SyncSettings settings;
    ReadSyncAccount(m_bookFolder, settings);
    if (!settings.calendarUrl.empty()) ReadSyncResultLine(ThisPcStatePath(m_bookFolder, settings.calendarUrl), last);
  }
  const std::wstring text =
      last.utcSeconds == 0 ? WidenCp932("前回の同期: まだありません")
                           : WidenCp932("前回の同期: ") + LocalTimeOf(last.utcSeconds) + L"  " + WidenUtf8(last.line);
  SetText(m_hWnd, IDC_SYNC_LAST, text);
}

void CSyncSetupDialog::EnableControls() {
  for (int id : g_JobButtons) ::EnableWindow(GetDlgItem(id), !m_jobRunning);
  ::EnableWindow(GetDlgItem(IDC_SYNC_FIRST_DAY), IsDlgButtonChecked(m_hWnd, IDC_SYNC_FROM_DATE) == BST_CHECKED);
  ::EnableWindow(GetDlgItem(IDC_SYNC_NOW), m_syncThread != nullptr);
}

void CSyncSetupDialog::StartJob(JobKind kind) {
  if (m_jobRunning) return;
  if (m_job.joinable()) m_job.join();  // the last one has ended: it told so
  const std::string address = TypedText(IDC_SYNC_ADDRESS);
  const std::string user = TypedText(IDC_SYNC_USER);
  if (address.empty()) {
    SetText(m_hWnd, IDC_SYNC_CONNECTION, WidenCp932("サーバーのアドレスを入れてください。"));
    ::SetFocus(GetDlgItem(IDC_SYNC_ADDRESS));
    return;
  }
  WinHttpSettings account;
  account.address = address;
  account.user = user;
  account.password = WideText(GetDlgItem(IDC_SYNC_PASSWORD));
  if (account.password.empty() && !user.empty()) ReadPassword(CredentialTarget(address, user), account.password);
  account.timeouts.connectMs = account.timeouts.sendMs = account.timeouts.receiveMs = kJobTimeoutMs;
  const std::string calendarUrl = SelectedCalendarUrl().empty() ? address : SelectedCalendarUrl();
  const std::string homeUrl = m_homeUrl;
  m_jobRunning = true;
  EnableControls();
  SetText(m_hWnd, IDC_SYNC_CONNECTION, WidenCp932("サーバーに問い合わせています..."));
  HWND dialog = m_hWnd;
  m_job = std::thread([this, kind, address, calendarUrl, homeUrl, dialog, account]() mutable {
    CWinHttpTransport transport(std::move(account));
    {
      std::lock_guard<std::mutex> hold(m_jobLock);
      m_jobTransport = &transport;
    }
    JobResult result;
    result.kind = kind;
    if (kind == JobKind::kTest) {
      ConnectionTest test = TestConnection(transport, OpenXmlLiteReader, calendarUrl);
      result.problem = test.problem;
      result.calendars.push_back(test.calendar);
    } else {
      result.homeUrl = homeUrl;
      if (kind == JobKind::kFind || homeUrl.empty()) {
        Discovery found = DiscoverCalendars(transport, OpenXmlLiteReader, address);
        result.problem = found.problem;
        result.calendars = found.calendars;
        result.homeUrl = found.homeUrl;
      }
      if (kind == JobKind::kMake && !result.problem.Failed()) {
        result.calendars.clear();
        if (result.homeUrl.empty()) {
          // A calendar's own address: there is no home to make one in.
          result.problem.problem = SyncProblem::kNotCalendar;
        } else {
          CalendarMade made = MakeCalendar(transport, OpenXmlLiteReader, result.homeUrl, kNewCalendarName);
          result.problem = made.problem;
          result.calendars.push_back(made.calendar);
        }
      }
    }
    std::lock_guard<std::mutex> hold(m_jobLock);
    m_jobTransport = nullptr;
    m_jobResult = std::move(result);
    ::PostMessageW(dialog, WM_TOOL_SYNCJOBDONE, 0, 0);
  });
  WipePassword(account.password);
}

void CSyncSetupDialog::EndJob() {
  {
    std::lock_guard<std::mutex> hold(m_jobLock);
    if (m_jobTransport != nullptr) m_jobTransport->Cancel();
  }
  m_jobRunning = false;
  // The dialog closes at once; the thread ends on its own and is joined later.
  if (!IsWindow() && m_job.joinable()) m_job.join();
}

void CSyncSetupDialog::OnJobDone() {
  JobResult result;
  {
    std::lock_guard<std::mutex> hold(m_jobLock);
    result = std::move(m_jobResult);
  }
  m_jobRunning = false;
  EnableControls();
  if (result.problem.Failed()) {
    SetText(m_hWnd, IDC_SYNC_CONNECTION, WidenUtf8(DescribeSyncProblem(result.problem)));
    return;
  }
  std::string selected = SelectedCalendarUrl();
  std::wstring line;
  switch (result.kind) {
    case JobKind::kFind: {
      m_homeUrl = result.homeUrl;
      m_calendars.clear();
      for (const CalendarEntry& entry : result.calendars) {
        if (entry.holdsEvents) m_calendars.push_back(entry);
      }
      wchar_t count[64];
      swprintf(count, 64, WidenCp932("カレンダーが %u 件見つかりました").c_str(),
               static_cast<unsigned>(m_calendars.size()));
      line = count;
      break;
    }
    case JobKind::kTest:
    case JobKind::kMake: {
      const CalendarEntry& calendar = result.calendars.front();
      if (result.kind == JobKind::kMake) m_homeUrl = result.homeUrl;
      auto known = std::find_if(m_calendars.begin(), m_calendars.end(),
                                [&](const CalendarEntry& entry) { return entry.url == calendar.url; });
      if (known == m_calendars.end()) {
        m_calendars.push_back(calendar);
      } else {
        *known = calendar;
      }
      selected = calendar.url;
      line = WidenCp932(result.kind == JobKind::kMake ? "作りました: " : "見つかりました: ") +
             WidenUtf8(calendar.displayName);
      break;
    }
  }
  ShowCalendars(selected);
  SetText(m_hWnd, IDC_SYNC_CONNECTION, line);
}

BOOL CSyncSetupDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (HIWORD(wParam) == BN_CLICKED) {
    switch (LOWORD(wParam)) {
      case IDC_SYNC_FIND:
        StartJob(JobKind::kFind);
        return TRUE;
      case IDC_SYNC_TEST:
        StartJob(JobKind::kTest);
        return TRUE;
      case IDC_SYNC_MAKE:
        StartJob(JobKind::kMake);
        return TRUE;
      case IDC_SYNC_NOW:
        SyncNow();
        return TRUE;
      case IDC_SYNC_FROM_YEAR_AGO:
      case IDC_SYNC_FROM_DATE:
        EnableControls();
        break;
      default:
        break;
    }
  }
  return CDialog::OnCommand(wParam, lParam);
}

INT_PTR CSyncSetupDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TOOL_SYNCJOBDONE:
      OnJobDone();
      return TRUE;
    case WM_TIMER:
      if (wParam != kLastResultTimer) break;
      ShowLastResult();
      return TRUE;
    default:
      break;
  }
  return CDialog::WindowProc(message, wParam, lParam);
}
