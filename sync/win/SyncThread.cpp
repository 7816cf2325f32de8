#include "sync/win/SyncThread.h"

#include <algorithm>

#include "book/BookMonths.h"
#include "book/MonthSession.h"
#include "data/FileSystem.h"
#include "win/WinHeaders.h"

namespace {

long long UtcSeconds() {
  return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch()).count();
}

}  // namespace

CSyncThread::CSyncThread(std::string bookFolder, CMonthSession* session)
    : m_bookFolder(std::move(bookFolder)),
      m_folderBook(std::make_unique<CFolderMonths>(SystemFileSystem(), m_bookFolder)),
      m_sessionBook(session != nullptr ? std::make_unique<CSessionMonths>(*session, *m_folderBook) : nullptr),
      m_thread([this] { Run(); }) {}

CSyncThread::~CSyncThread() {
  {
    std::lock_guard<std::mutex> hold(m_lock);
    m_stopping = true;
  }
  m_sync.Cancel();
  m_wakes.notify_all();
  m_thread.join();
}

void CSyncThread::SetReportListener(std::function<void()> listener) {
  std::lock_guard<std::mutex> hold(m_lock);
  m_onReport = std::move(listener);
}

void CSyncThread::Start(const SyncFacts& facts) {
  m_sync.Resume();
  {
    std::lock_guard<std::mutex> hold(m_lock);
    m_active = true;
    m_facts = facts;
    m_now = true;
  }
  m_wakes.notify_all();
}

void CSyncThread::Update(const SyncFacts& facts) {
  std::lock_guard<std::mutex> hold(m_lock);
  m_facts = facts;
}

void CSyncThread::AskNow(const SyncFacts& facts) {
  m_sync.Resume();
  {
    std::lock_guard<std::mutex> hold(m_lock);
    m_facts = facts;
    m_asked = true;
  }
  m_wakes.notify_all();
}

void CSyncThread::Ask(SyncReason reason) {
  {
    std::lock_guard<std::mutex> hold(m_lock);
    switch (reason) {
      case SyncReason::kStored:
        // A burst of typing is one sync, a few seconds after its last line.
        m_soonWanted = true;
        m_soon = std::chrono::steady_clock::now() + kAfterStore;
        break;
      case SyncReason::kResumed:
        m_now = true;
        break;
      case SyncReason::kChanged:
        m_now = m_unpaused = true;
        break;
    }
  }
  m_wakes.notify_all();
}

bool CSyncThread::Finish(std::chrono::milliseconds wait) {
  std::unique_lock<std::mutex> hold(m_lock);
  if (!m_active) return true;
  const uint64_t wanted = m_started + 1;  // one that starts from now on
  m_now = true;
  m_wakes.notify_all();
  const bool ended = m_wakes.wait_for(hold, wait, [&] { return m_finished >= wanted || m_stopping; });
  m_active = false;
  m_now = m_asked = m_unpaused = m_soonWanted = false;
  hold.unlock();
  if (!ended) m_sync.Cancel();
  return ended;
}

std::vector<SyncReport> CSyncThread::TakeReports() {
  std::lock_guard<std::mutex> hold(m_lock);
  std::vector<SyncReport> reports;
  reports.swap(m_reports);
  return reports;
}

SyncResultLine CSyncThread::LastResult(uint64_t& ended) {
  std::lock_guard<std::mutex> hold(m_lock);
  ended = m_finished;
  return m_lastResult;
}

void CSyncThread::Run() {
  // The window that shares the machine with a long first sync comes first.
  SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
  std::unique_lock<std::mutex> hold(m_lock);
  for (;;) {
    if (m_stopping) return;
    const auto now = std::chrono::steady_clock::now();
    // The user's own asking goes also while no window is open.
    const bool due = m_asked || (m_active && (m_now || (m_soonWanted && now >= m_soon) || now >= m_next));
    if (!due) {
      if (!m_active) {
        m_wakes.wait(hold);
      } else {
        m_wakes.wait_until(hold, m_soonWanted ? std::min(m_soon, m_next) : m_next);
      }
      continue;
    }
    const bool asked = m_asked;
    const bool unpaused = m_unpaused;
    const SyncFacts facts = m_facts;
    m_now = m_asked = m_unpaused = m_soonWanted = false;
    ++m_started;
    hold.unlock();
    SyncReport report = RunOnce(facts, asked, unpaused);
    hold.lock();
    m_next = std::chrono::steady_clock::now() + kPeriod;
    if (!report.result.line.empty()) m_lastResult = SyncResultLine{UtcSeconds(), report.result.line};
    ++m_finished;
    const bool worthTelling = report.tell || report.asked || report.result.start == PcSyncStart::kRan;
    if (worthTelling) m_reports.push_back(std::move(report));
    std::function<void()> listener = m_onReport;
    m_wakes.notify_all();
    hold.unlock();
    if (worthTelling && listener) listener();
    hold.lock();
  }
}

SyncReport CSyncThread::RunOnce(const SyncFacts& facts, bool asked, bool unpaused) {
  SyncReport report;
  report.asked = asked;
  const long long now = UtcSeconds();
  // A failing server waits its pause; the user's own asking does not, nor new choices.
  if (!asked && !unpaused && !m_retry.Due(now)) {
    report.result.start = PcSyncStart::kBusy;
    return report;
  }
  PcSyncRequest request;
  request.bookFolder = m_bookFolder;
  request.enabled = facts.enabled || asked;
  request.reminderLead = facts.reminderLead;
  request.todayDayNumber = facts.todayDayNumber;
  if (m_sessionBook) request.book = m_sessionBook.get();
  report.result = m_sync.Run(request);
  if (report.result.start == PcSyncStart::kRan) {
    report.tell = m_retry.Take(report.result.outcome, UtcSeconds());
    m_toldStart = PcSyncStart::kRan;
  } else if (report.result.start != PcSyncStart::kOff && report.result.start != PcSyncStart::kBusy) {
    // No calendar, no password: said once until it changes.
    report.tell = report.result.start != m_toldStart;
    m_toldStart = report.result.start;
  }
  return report;
}
