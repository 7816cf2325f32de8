#include "reminders/ReminderScheduler.h"

#include <algorithm>

#include "reminders/ReminderLead.h"
#include "reminders/WallTime.h"

void CReminderScheduler::Look(int64_t now, int lead, const ReminderFacts& facts) {
  if (!m_looked) m_firstLook = now;
  m_looked = true;
  m_board.clear();
  m_broughtNew = false;
  m_nextLook = (now / kSecondsPerDay + 1) * kSecondsPerDay;
  std::map<ReminderOccurrence, bool> shown;
  std::map<ReminderOccurrence, Snooze> snoozed;
  for (const TimedLine& line : facts.lines) {
    if (lead == kRemindersOff) break;
    const ReminderOccurrence occurrence{line.dayNumber, line.startMinute, line.textHash};
    if (shown.count(occurrence) != 0 || facts.dismissed.Contains(occurrence) || m_dismissedHere.Contains(occurrence)) {
      continue;
    }
    const int64_t time = WallSecondsOf(line.dayNumber, line.startMinute * kSecondsPerMinute);
    const int64_t due = time - int64_t{lead} * kSecondsPerMinute;
    const auto snooze = m_snoozed.find(occurrence);
    if (snooze != m_snoozed.end() && snooze->second.until > now) {
      snoozed.insert(*snooze);
      m_nextLook = std::min(m_nextLook, snooze->second.until);
      continue;
    }
    if (due > now) {
      m_nextLook = std::min(m_nextLook, due);
      continue;
    }
    const auto before = m_shown.find(occurrence);
    bool missed = false;
    if (before != m_shown.end()) {
      missed = before->second;
    } else if (snooze != m_snoozed.end()) {
      missed = snooze->second.missed;
    } else {
      if (now >= time + int64_t{kMissedWithinMinutes} * kSecondsPerMinute) continue;
      if (!facts.dismissedKnown && due <= m_firstLook) continue;
      missed = now >= time + kSecondsPerMinute;
    }
    if (before == m_shown.end()) m_broughtNew = true;
    shown[occurrence] = missed;
    m_board.push_back({line, occurrence, now - time, missed});
  }
  m_shown.swap(shown);
  m_snoozed.swap(snoozed);
  std::stable_sort(m_board.begin(), m_board.end(),
                   [](const DueReminder& a, const DueReminder& b) { return a.secondsAfterTime > b.secondsAfterTime; });
}

std::vector<ReminderOccurrence> CReminderScheduler::DismissBoard() {
  std::vector<ReminderOccurrence> dismissed;
  for (const DueReminder& due : m_board) {
    m_dismissedHere.Add(due.occurrence);
    dismissed.push_back(due.occurrence);
  }
  m_board.clear();
  m_shown.clear();
  return dismissed;
}

void CReminderScheduler::SnoozeBoard(int64_t until) {
  for (const DueReminder& due : m_board) m_snoozed[due.occurrence] = {until, due.missed};
  m_board.clear();
  m_shown.clear();
  m_nextLook = std::min(m_nextLook, until);
}
