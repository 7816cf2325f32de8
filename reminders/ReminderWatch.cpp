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
      m_facts.dismissed.Add(occurrence);
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

bool CReminderWatch::LookOnce() {
  std::vector<ReminderOccurrence> pending;
  {
    std::lock_guard<std::mutex> lock(m_lock);
    pending.swap(m_pending);
  }
  // What the library throws (an exhausted heap) leaves the facts as they
  // were: looked at again next time, and what was dismissed stays in them.
  try {
    for (const ReminderOccurrence& occurrence : pending) m_files->AddDismissed(occurrence);
    const bool changed = m_files->Look(DayNumberOf(m_clock.Now().date));
    ReminderFacts facts = m_files->Facts();
    std::lock_guard<std::mutex> lock(m_lock);
    // Dismissed meanwhile: in the facts until the next look takes it.
    for (const ReminderOccurrence& occurrence : m_pending) facts.dismissed.Add(occurrence);
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
