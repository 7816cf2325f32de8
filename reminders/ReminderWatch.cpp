#include "reminders/ReminderWatch.h"

#include <exception>
#include <utility>

CReminderWatch::CReminderWatch(std::unique_ptr<CReminderFiles> files, IWallClock& clock,
                               std::chrono::milliseconds interval)
    : m_clock(clock), m_interval(interval), m_files(std::move(files)), m_thread([this] { Run(); }) {}

CReminderWatch::~CReminderWatch() {
  {
    std::lock_guard<std::mutex> lock(m_lock);
    m_stopping = true;
  }
  m_wakes.notify_all();
  m_thread.join();
  if (HasUnwritten()) LookOnce();
}

void CReminderWatch::SetChangeListener(std::function<void()> listener) {
  std::lock_guard<std::mutex> lock(m_lock);
  m_onChange = std::move(listener);
}

void CReminderWatch::Poke() {
  {
    std::lock_guard<std::mutex> lock(m_lock);
    m_poked = true;
  }
  m_wakes.notify_all();
}

void CReminderWatch::AddDismissed(const std::vector<ReminderOccurrence>& occurrences) {
  {
    std::lock_guard<std::mutex> lock(m_lock);
    for (const ReminderOccurrence& occurrence : occurrences) {
      m_facts.dismissed.Add(occurrence, m_files->Origin());
      m_pending.push_back(occurrence);
    }
    m_unwritten = m_unwritten || !occurrences.empty();
    m_poked = true;
  }
  m_wakes.notify_all();
}

ReminderFacts CReminderWatch::Facts() const {
  std::lock_guard<std::mutex> lock(m_lock);
  return m_facts;
}

bool CReminderWatch::HasUnwritten() const {
  std::lock_guard<std::mutex> lock(m_lock);
  return m_unwritten;
}

std::vector<DismissedRepair> CReminderWatch::TakeRepairs() {
  std::lock_guard<std::mutex> lock(m_lock);
  std::vector<DismissedRepair> repairs;
  repairs.swap(m_repairs);
  return repairs;
}

bool CReminderWatch::LookOnce() {
  // What the library throws (an exhausted heap) leaves the facts as they
  // were and what was dismissed pending: looked at again next time.
  try {
    std::vector<ReminderOccurrence> pending;
    {
      std::lock_guard<std::mutex> lock(m_lock);
      pending = m_pending;
    }
    for (const ReminderOccurrence& occurrence : pending) m_files->AddDismissed(occurrence);
    const bool changed = m_files->Look(DayNumberOf(m_clock.Now().date), std::chrono::steady_clock::now());
    ReminderFacts facts = m_files->Facts();
    std::vector<DismissedRepair> repairs = m_files->TakeRepairs();
    std::lock_guard<std::mutex> lock(m_lock);
    m_repairs.insert(m_repairs.end(), repairs.begin(), repairs.end());
    // The files hold what was handed over; what was dismissed meanwhile is
    // in the facts until the next look takes it.
    m_pending.erase(m_pending.begin(), m_pending.begin() + static_cast<std::ptrdiff_t>(pending.size()));
    for (const ReminderOccurrence& occurrence : m_pending) facts.dismissed.Add(occurrence, m_files->Origin());
    const bool dismissedChanged = facts.dismissed != m_facts.dismissed;
    m_facts = std::move(facts);
    m_unwritten = m_files->HasUnwritten() || !m_pending.empty();
    return changed || dismissedChanged;
  } catch (const std::exception&) {
    return false;
  }
}

void CReminderWatch::Run() {
  std::unique_lock<std::mutex> lock(m_lock);
  while (!m_stopping) {
    m_wakes.wait_for(lock, m_interval, [this] { return m_poked || m_stopping; });
    if (m_stopping) break;
    m_poked = false;
    lock.unlock();
    const bool changed = LookOnce();
    lock.lock();
    if (changed && m_onChange) {
      std::function<void()> tell = m_onChange;
      lock.unlock();
      tell();
      lock.lock();
    }
  }
}
