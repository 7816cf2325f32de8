// The window's calendar sync: a thread of its own syncs the book while the
// window is open (as it opens, on its timer, soon after a line is stored,
// when the PC wakes, once more as it closes); what the sync writes into the
// month on display arrives as any change of its file does. What the user
// must know is told once, when the window is free.
#include <chrono>
#include <string>

#include "sync/SyncRun.h"
#include "ui/ScheduleDialog.h"
#include "ui/SyncFacts.h"
#include "win/Text.h"

namespace {

// The close waits this long for what was typed to reach the server.
constexpr std::chrono::milliseconds kClosingSyncWait{8000};
// A box names this many of a sync's notes, and how many more there are.
constexpr size_t kNotesShown = 8;

std::wstring ReportText(const SyncReport& report) {
  std::wstring text = WidenUtf8(report.result.line);
  const std::vector<SyncNote>& notes = report.result.outcome.notes;
  for (size_t i = 0; i < notes.size() && i < kNotesShown; ++i) text += L"\n" + WidenUtf8(DescribeSyncNote(notes[i]));
  if (notes.size() > kNotesShown) {
    text += L"\n" + WidenCp932("ほか ") + std::to_wstring(notes.size() - kNotesShown) + WidenCp932(" 件");
  }
  return text;
}

}  // namespace

std::string CScheduleDialog::BookFolder() const {
  const char* directory = m_pHost != nullptr ? m_pHost->GetDataDirectory(1, 0) : nullptr;
  return directory == nullptr ? std::string() : std::string(directory) + '\\' + m_toolName.str();
}

CSyncThread* CScheduleDialog::SyncThread() {
  std::lock_guard<std::mutex> hold(m_syncThreadLock);
  if (!m_syncThread) {
    const std::string folder = BookFolder();
    // Without a data folder there is no book to sync.
    if (folder.empty()) return nullptr;
    m_syncThread = std::make_unique<CSyncThread>(folder, &m_session);
    m_syncThread->SetReportListener([this] {
      HWND window = m_hWnd;
      if (window != nullptr) ::PostMessageW(window, WM_TOOL_SYNCED, 0, 0);
    });
  }
  return m_syncThread.get();
}

void CScheduleDialog::StartSync() {
  if (CSyncThread* thread = SyncThread()) thread->Start(SyncFactsOfHost(m_pHost));
}

void CScheduleDialog::StopSync() {
  if (CSyncThread* thread = SyncThread()) thread->Finish(kClosingSyncWait);
}

void CScheduleDialog::NoteStoredForSync() {
  if (CSyncThread* thread = SyncThread()) thread->Ask(SyncReason::kStored);
}

void CScheduleDialog::ResumeSync() {
  if (CSyncThread* thread = SyncThread()) thread->Ask(SyncReason::kResumed);
}

void CScheduleDialog::OnSyncChoicesApplied() {
  CSyncThread* thread = SyncThread();
  if (thread == nullptr) return;
  const SyncFacts facts = SyncFactsOfHost(m_pHost);
  thread->Update(facts);
  if (facts.enabled) thread->Ask(SyncReason::kChanged);
}

CSyncSetupDialog* CScheduleDialog::PrepareSyncSetup() {
  m_syncDialog.Attach(m_pHost, BookFolder(), SyncThread(), [this] { OnSyncChoicesApplied(); });
  return &m_syncDialog;
}

void CScheduleDialog::OnSynced() {
  CSyncThread* thread = SyncThread();
  if (thread == nullptr) return;
  for (const SyncReport& report : thread->TakeReports()) {
    // The dialog the user asked from shows its own line.
    if (report.tell && !report.asked) m_syncNotices.push_back(ReportText(report));
  }
  if (m_syncNotices.empty() || m_modalActive != 0 || !IsWindow()) return;
  std::wstring text;
  for (const std::wstring& notice : m_syncNotices) text += (text.empty() ? L"" : L"\n\n") + notice;
  m_syncNotices.clear();
  CModalScope modal(*this);
  MessageBoxW(m_hWnd, text.c_str(), WidenCp932("カレンダー同期").c_str(), MB_OK | MB_ICONWARNING);
}
