#include "ui/Reminders.h"

#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "data/FileSystem.h"
#include "reminders/ReminderLead.h"
#include "reminders/ReminderLines.h"
#include "tool/ToolBase.h"
#include "ui/res/resource.h"
#include "win/Text.h"

namespace {

// A screen reader asks the reminder window for its accessible object on
// the window's own thread, which needs COM there.
class CComApartment {
 public:
  CComApartment() : m_started(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~CComApartment() {
    if (m_started) CoUninitialize();
  }
  CComApartment(const CComApartment&) = delete;
  CComApartment& operator=(const CComApartment&) = delete;

 private:
  const bool m_started;
};

// However far the next due time, the clock is looked at this often.
constexpr int64_t kLongestLookSeconds = 15;
constexpr UINT kShortestLookMs = 200;
constexpr UINT_PTR kReminderTimer = 10;
constexpr size_t kNoticeSize = 768;

// The text in cp932, or false when cp932 cannot spell all of it.
bool NarrowExactly(const std::wstring& text, std::string& narrow) {
  BOOL lossy = FALSE;
  const int size = WideCharToMultiByte(kCodePage932, WC_NO_BEST_FIT_CHARS, text.c_str(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, &lossy);
  if (size <= 0 || lossy) return false;
  narrow.assign(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(kCodePage932, WC_NO_BEST_FIT_CHARS, text.c_str(), static_cast<int>(text.size()), &narrow[0], size,
                      nullptr, &lossy);
  return !lossy;
}

}  // namespace

CReminders::~CReminders() { Stop(); }

// Under the user's local application data, which neither a sync client nor
// a roaming profile carries to another PC, one file for each data folder;
// the name from the computer's and that folder's, so that it stays one
// name for every start on this PC.
void CReminders::AddThisPcPlaces(ReminderPlaces& places) {
  wchar_t folder[MAX_PATH] = {};
  std::wstring local;
  if (SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder))) local = folder;
  wchar_t computer[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD length = MAX_COMPUTERNAME_LENGTH + 1;
  if (!GetComputerNameW(computer, &length)) computer[0] = L'\0';
  places.origin = DismissedOriginOf(NarrowToCp932((std::wstring(computer) + L"|" + local).c_str()).c_str());
  std::string narrow;
  if (local.empty() || !NarrowExactly(local, narrow)) return;
  char name[48];
  std::snprintf(name, sizeof name, "\\Plannix\\reminders-%016llx.txt",
                static_cast<unsigned long long>(HashLineText(places.toolFolder.c_str(), places.toolFolder.size())));
  places.localPath = narrow + name;
}

bool CReminders::Start(Setup setup) {
  std::lock_guard<std::mutex> lock(m_lock);
  if (m_started) return m_running;
  m_started = true;
  m_setup = std::move(setup);
  m_lead = m_setup.lead;
  std::promise<bool> ready;
  std::future<bool> started = ready.get_future();
  m_thread = std::thread([this, &ready] { Run(ready); });
  if (!started.get()) {
    m_thread.join();
    return false;
  }
  return true;
}

void CReminders::Stop() {
  std::thread thread;
  {
    std::lock_guard<std::mutex> lock(m_lock);
    thread.swap(m_thread);
  }
  if (!thread.joinable()) return;
  m_running = false;
  // Ends a box of the thread's too; the loop then sees it.
  PostThreadMessageW(m_threadId, WM_QUIT, 0, 0);
  thread.join();
}

void CReminders::SetLead(int lead) {
  m_lead = lead;
  std::lock_guard<std::mutex> lock(m_watchLock);
  if (m_windowHandle != nullptr) ::PostMessageW(m_windowHandle, WM_TOOL_REMINDERS, 0, 0);
}

void CReminders::Run(std::promise<bool>& ready) {
  const CComApartment apartment;
  MSG msg;
  // The queue is there before anyone posts to it.
  PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
  m_threadId = GetCurrentThreadId();
  bool made = false;
  try {
    m_window.SetHandlers([this] { Dismiss(); }, [this] { Snooze(); }, [this](size_t line) { ShowDay(line); },
                         [this](UINT message, WPARAM wParam) { return OnMessage(message, wParam); });
    // Hidden until something is due; a window of the desktop's, so that
    // it hears the clock and the power change.
    if (m_window.Create(IDD_REMINDER, nullptr)) {
      auto files = std::make_unique<CReminderFiles>(SystemFileSystem(), m_setup.places, m_setup.heldMonth);
      std::lock_guard<std::mutex> lock(m_watchLock);
      m_watch = std::make_unique<CReminderWatch>(std::move(files), m_clock);
      HWND window = m_windowHandle = m_window.m_hWnd;
      m_watch->SetChangeListener([window] { ::PostMessageW(window, WM_TOOL_REMINDERS, 0, 0); });
      made = true;
    }
  } catch (...) {
    made = false;  // an exhausted heap: no reminders
  }
  if (!made && m_window.IsWindow()) m_window.DestroyWindow();
  m_running = made;
  ready.set_value(made);
  if (!made) return;
  Look();
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    // The window's keys are its own: Return and Escape dismiss, Alt+S snoozes.
    if (m_window.PreTranslateMessage(&msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  std::unique_ptr<CReminderWatch> watch;
  {
    std::lock_guard<std::mutex> lock(m_watchLock);
    watch.swap(m_watch);
    m_windowHandle = nullptr;
  }
  ::KillTimer(m_window.m_hWnd, kReminderTimer);
  m_window.DestroyWindow();
  // What was dismissed and is not in its file yet is written as the watch ends.
  watch.reset();
}

bool CReminders::OnMessage(UINT message, WPARAM wParam) {
  switch (message) {
    case WM_TIMER:
      if (wParam != kReminderTimer) return false;
      Look();
      return true;
    case WM_TOOL_REMINDERS:
      Look();
      TellRepairs();
      return true;
    case WM_TIMECHANGE:
      // The due times are the clock's: what is due is asked again at once.
      m_watch->Poke();
      Look();
      return true;
    case WM_POWERBROADCAST:
      if (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND) {
        m_watch->Poke();
        Look();
      }
      return true;
    default:
      return false;
  }
}

void CReminders::Look() {
  const int64_t now = WallSecondsOf(m_clock.Now());
  m_scheduler.Look(now, m_lead, m_watch->Facts());
  m_window.Show(m_scheduler.Board(), m_scheduler.BroughtNew());
  const int64_t seconds = std::clamp<int64_t>(m_scheduler.NextLook() - now, 0, kLongestLookSeconds);
  ::SetTimer(m_window.m_hWnd, kReminderTimer, std::max(kShortestLookMs, static_cast<UINT>(seconds * 1000)), nullptr);
}

void CReminders::Dismiss() {
  m_watch->AddDismissed(m_scheduler.DismissBoard());
  m_window.Show(m_scheduler.Board(), false);
}

void CReminders::Snooze() {
  const int64_t now = WallSecondsOf(m_clock.Now());
  m_scheduler.SnoozeBoard(now + CReminderScheduler::kSnoozeMinutes * kSecondsPerMinute);
  m_window.Show(m_scheduler.Board(), false);
  Look();
}

void CReminders::ShowDay(size_t line) {
  const std::vector<DueReminder>& board = m_scheduler.Board();
  if (line < board.size() && m_setup.showDay) m_setup.showDay(board[line].line.dayNumber);
}

void CReminders::TellRepairs() {
  // A box's own loop hears of the watch too: the repairs wait for this one.
  if (m_telling) return;
  m_telling = true;
  for (std::vector<DismissedRepair> repairs; m_running && !(repairs = m_watch->TakeRepairs()).empty();) {
    for (const DismissedRepair& repair : repairs) {
      char text[kNoticeSize];
      std::snprintf(text, sizeof text,
                    "閉じた予定の通知を記録するﾌｧｲﾙが壊れていたため、%s作り直しました。\n"
                    "壊れたﾌｧｲﾙは次の場所に残しました。\n%s",
                    repair.fromCopy ? "書き込み途中で残っていた写しから" : "新しく", repair.keptPath.c_str());
      CModalScope modal(m_tool);
      MessageBoxW(nullptr, WidenCp932(text).c_str(), WidenCp932(m_tool.GetTitle()).c_str(), MB_OK | MB_ICONEXCLAMATION);
    }
  }
  m_telling = false;
}
