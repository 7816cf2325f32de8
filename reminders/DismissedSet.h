#pragma once
// What was dismissed: one occurrence a line, "2026-12-09 10:00 89abcdef01234567",
// the line's date, its time and a hash of its text, so that a line
// changed since is another occurrence. A set, so that copies two PCs wrote
// merge as their union; entries some days old are pruned by their date
// alone, so that every PC prunes alike.
#include <cstdint>
#include <set>
#include <string>
#include <string_view>

// One reminder of one line on one day.
struct ReminderOccurrence {
  int dayNumber = 0;
  int minute = 0;  // the line's time of day
  uint64_t textHash = 0;

  bool operator<(const ReminderOccurrence& other) const {
    if (dayNumber != other.dayNumber) return dayNumber < other.dayNumber;
    if (minute != other.minute) return minute < other.minute;
    return textHash < other.textHash;
  }
  bool operator==(const ReminderOccurrence& other) const {
    return dayNumber == other.dayNumber && minute == other.minute && textHash == other.textHash;
  }
};

// How many days before today entries are kept.
constexpr int kDismissedKeptDays = 7;

class CDismissedSet {
 public:
  void Add(const ReminderOccurrence& occurrence);
  bool Contains(const ReminderOccurrence& occurrence) const;
  // Every entry of other joins this set; true when one was new.
  bool Merge(const CDismissedSet& other);
  // Entries dated before the day go.
  void PruneBefore(int firstKeptDayNumber);
  size_t Size() const { return m_entries.size(); }
  bool operator==(const CDismissedSet& other) const { return m_entries == other.m_entries; }
  bool operator!=(const CDismissedSet& other) const { return !(*this == other); }

  // The file's bytes: its first line, then the entries in order, CR LF each.
  std::string Format() const;
  // The entries of a file's bytes join the set; false, with the set as it
  // was, for bytes that are no such file (its first line is another; no
  // bytes at all are an empty file). Entries are kept as their lines, also
  // those of a later version that this one cannot match; a line that is no
  // entry (no date first, a control byte, too long) is left out.
  bool AddFileBytes(std::string_view bytes);

 private:
  std::set<std::string> m_entries;  // each as its line, the date first
};
