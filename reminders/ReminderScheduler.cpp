#include "reminders/ReminderScheduler.h"

#include <algorithm>
#include <tuple>

#include "reminders/ReminderLead.h"
#include "reminders/WallTime.h"

namespace {

ReminderOccurrence OccurrenceOf(const TimedLine& line) {
  return {line.dayNumber, line.line, line.startMinute, line.textHash};
}

// The lines as reminders: each with the later lines of its day that have
// the same time and text.
std::vector<DueReminder> GroupAlike(const std::vector<TimedLine>& lines) {
  std::vector<DueReminder> groups;
  std::map<std::tuple<int, int, uint64_t>, size_t> first;
  for (const TimedLine& line : lines) {
    const auto found = first.emplace(std::make_tuple(line.dayNumber, line.startMinute, line.textHash), groups.size());
    if (found.second) {
      groups.push_back({line, OccurrenceOf(line), {}, 0, false});
    } else {
      groups[found.first->second].alike.push_back(OccurrenceOf(line));
    }
  }
  return groups;
}

}  // namespace

void CReminderScheduler::Look(int64_t now, int lead, const ReminderFacts& facts) {
  if (!m_looked) m_firstLook = now;
  m_looked = true;
  m_broughtNew = false;
  m_nextLook = (now / kSecondsPerDay + 1) * kSecondsPerDay;
  std::vector<DueReminder> board;
  std::map<ReminderOccurrence, bool> shown;
  std::map<ReminderOccurrence, Snooze> snoozed;
  const auto dismissed = [&](const ReminderOccurrence& occurrence) {
    return facts.dismissed.Contains(occurrence) || m_dismissedHere.count(occurrence) != 0;
  };
  for (DueReminder& due : GroupAlike(facts.lines)) {
    if (lead == kRemindersOff) break;
    const ReminderOccurrence& occurrence = due.occurrence;
    if (dismissed(occurrence) || std::any_of(due.alike.begin(), due.alike.end(), dismissed)) continue;
    const int64_t time = WallSecondsOf(due.line.dayNumber, due.line.startMinute * kSecondsPerMinute);
    const int64_t dueTime = time - int64_t{lead} * kSecondsPerMinute;
    const auto snooze = m_snoozed.find(occurrence);
    if (snooze != m_snoozed.end() && snooze->second.until > now) {
      snoozed.insert(*snooze);
      m_nextLook = std::min(m_nextLook, snooze->second.until);
      continue;
    }
    if (dueTime > now) {
      m_nextLook = std::min(m_nextLook, dueTime);
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
      if (!facts.dismissedKnown && dueTime <= m_firstLook) continue;
      missed = now >= time + kSecondsPerMinute;
    }
    if (before == m_shown.end()) m_broughtNew = true;
    shown[occurrence] = missed;
    due.secondsAfterTime = now - time;
    due.missed = missed;
    board.push_back(std::move(due));
  }
  // What a day that cannot be told had on the board, or held back, stays as it was.
  for (DueReminder& due : m_board) {
    if (lead == kRemindersOff || facts.daysUnknown.count(due.line.dayNumber) == 0) continue;
    if (!shown.emplace(due.occurrence, due.missed).second) continue;
    due.secondsAfterTime = now - WallSecondsOf(due.line.dayNumber, due.line.startMinute * kSecondsPerMinute);
    board.push_back(std::move(due));
  }
  for (const auto& snooze : m_snoozed) {
    if (facts.daysUnknown.count(snooze.first.dayNumber) != 0) snoozed.insert(snooze);
  }
  m_board.swap(board);
  m_shown.swap(shown);
  m_snoozed.swap(snoozed);
  std::stable_sort(m_board.begin(), m_board.end(),
                   [](const DueReminder& a, const DueReminder& b) { return a.secondsAfterTime > b.secondsAfterTime; });
}

std::vector<ReminderOccurrence> CReminderScheduler::DismissBoard() {
  std::vector<ReminderOccurrence> dismissed;
  for (const DueReminder& due : m_board) {
    dismissed.push_back(due.occurrence);
    dismissed.insert(dismissed.end(), due.alike.begin(), due.alike.end());
  }
  m_dismissedHere.insert(dismissed.begin(), dismissed.end());
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
