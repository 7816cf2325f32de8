#pragma once
// What is due, from the timed lines of yesterday to tomorrow, the lead,
// what was dismissed and the wall-clock time it is handed: the board the
// reminder window shows, and when to look again. It keeps no time of its
// own: every look reckons from the time handed in, so a sleep, a clock
// set back or another time zone is taken as it is.
#include <cstdint>
#include <limits>
#include <map>
#include <set>
#include <vector>

#include "reminders/ReminderFacts.h"

struct DueReminder {
  TimedLine line;
  ReminderOccurrence occurrence;
  // Other lines of the day with the same time and text: one reminder with it.
  std::vector<ReminderOccurrence> alike;
  int64_t secondsAfterTime = 0;  // negative before the line's time
  bool missed = false;           // it came up only after its time had passed
};

class CReminderScheduler {
 public:
  static constexpr int64_t kNever = std::numeric_limits<int64_t>::max();
  // A reminder whose time passed longer ago than this does not come up.
  static constexpr int kMissedWithinMinutes = 60;
  static constexpr int kSnoozeMinutes = 5;

  // The board at now (wall-clock seconds) with the lead in minutes
  // (kRemindersOff: nothing is due). A reminder is a line's day, place and
  // time: a change of its text alone shows the new text, and sounds for
  // nothing. A line is due from its time less the lead; one that is not on
  // the board comes up until an hour after its time (missed once that time
  // has passed); one on the board stays until it is dismissed or snoozed,
  // or its line is cleared or given another time. A day whose lines cannot
  // be told keeps what it had on the board. While what was dismissed is not
  // known, only what fell due after the first look comes up: the rest may
  // have been dismissed already.
  void Look(int64_t now, int lead, const ReminderFacts& facts);
  // Soonest first.
  const std::vector<DueReminder>& Board() const { return m_board; }
  // True when the last look brought up a line that was not on the board.
  bool BroughtNew() const { return m_broughtNew; }
  // When the clock alone next changes the board: a due time, the end of a
  // snooze, midnight.
  int64_t NextLook() const { return m_nextLook; }
  // Everything on the board leaves it for good: what to keep as dismissed.
  std::vector<ReminderOccurrence> DismissBoard();
  // Everything on the board leaves it until then.
  void SnoozeBoard(int64_t until);

 private:
  struct Snooze {
    int64_t until;
    bool missed;
  };

  std::map<ReminderOccurrence, bool> m_shown;  // on the board: whether it came up missed
  std::map<ReminderOccurrence, Snooze> m_snoozed;
  std::set<ReminderOccurrence> m_dismissedHere;
  std::vector<DueReminder> m_board;
  bool m_looked = false;
  int64_t m_firstLook = 0;
  int64_t m_nextLook = kNever;
  bool m_broughtNew = false;
};
