#pragma once
// What was dismissed: one entry a line, "2026-12-09 10:00 line2 0123456789abcdef",
// the line's date, its time, its place on the day (1 to 5) and the PC that
// dismissed it, so that a reminder whose text alone changes stays
// dismissed. Entries of earlier versions, "2026-12-09 10:00 89abcdef01234567"
// (a hash of the text where the place is now), still keep their line's
// reminder away while its text is unchanged. A set, so that copies two PCs
// wrote merge as their union.
//
// Pruning trusts no one PC's clock with what the others need: a PC prunes
// its own entries by its own date, another's only once they are days older
// than both its own date and that PC's newest entry. A PC whose clock runs
// days ahead then takes nothing away that the others still need.
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <tuple>

// One reminder of one line on one day: its day, its place and its time.
// The text can change and it stays the same reminder.
struct ReminderOccurrence {
  int dayNumber = 0;
  int line = 0;    // 0..4
  int minute = 0;  // the line's time of day
  // Of the line's text as it is: matched only against entries earlier versions wrote.
  uint64_t textHash = 0;

  bool operator<(const ReminderOccurrence& other) const {
    return std::tie(dayNumber, line, minute) < std::tie(other.dayNumber, other.line, other.minute);
  }
  bool operator==(const ReminderOccurrence& other) const {
    return dayNumber == other.dayNumber && line == other.line && minute == other.minute;
  }
  bool operator!=(const ReminderOccurrence& other) const { return !(*this == other); }
};

// How many days before its date a PC keeps its own entries.
constexpr int kDismissedKeptDays = 7;
// Another PC's entries stay longer: by then that PC pruned them itself, so
// the two never undo each other's writes.
constexpr int kOthersKeptDays = kDismissedKeptDays + 2;

// A PC's name in the entries, 16 hex digits, from a name that tells it apart.
std::string DismissedOriginOf(std::string_view machineName);

class CDismissedSet {
 public:
  // origin: the PC that dismissed it.
  void Add(const ReminderOccurrence& occurrence, std::string_view origin);
  bool Contains(const ReminderOccurrence& occurrence) const;
  // Every entry of other joins this set; true when one was new.
  bool Merge(const CDismissedSet& other);
  // What the PC named origin drops on day today, as the file says above.
  void Prune(std::string_view origin, int today);
  // True when file lacks an entry of this set that it must hold: one of
  // origin's own that pruning keeps, or anyone's from yesterday on.
  bool HoldsMoreThan(const CDismissedSet& file, std::string_view origin, int today) const;
  // The entries of other leave this set.
  void Remove(const CDismissedSet& other);
  size_t Size() const { return m_entries.size(); }
  bool operator==(const CDismissedSet& other) const { return m_entries == other.m_entries; }
  bool operator!=(const CDismissedSet& other) const { return !(*this == other); }

  // The file's bytes: its first line, then the entries in order, CR LF each.
  std::string Format() const;
  // The entries of a file's bytes join the set; false, with the set as it
  // was, for bytes that are no such file (its first line is another; a
  // UTF-8 byte-order mark before it is passed over; no bytes at all are an
  // empty file). Entries are kept as their lines, also those of a later
  // version that this one cannot match; a line that is no entry (no date
  // first, a control byte, too long) is left out.
  bool AddFileBytes(std::string_view bytes);
  // Such a file written to its end: its last line is whole.
  static bool IsWholeFile(std::string_view bytes);

 private:
  void Insert(std::string entry);
  void Index(const std::string& entry);

  std::set<std::string> m_entries;                    // each as its line, the date first
  std::set<std::tuple<int, int, int>> m_placed;       // day, minute, line
  std::set<std::tuple<int, int, uint64_t>> m_byText;  // day, minute, text hash
};
