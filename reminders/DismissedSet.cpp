#include "reminders/DismissedSet.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "calendar/CalendarFacts.h"
#include "calendar/DayNumber.h"

namespace {

constexpr std::string_view kHeader = "Plannix dismissed reminders 1";
constexpr size_t kDateLength = 10;  // YYYY-MM-DD
constexpr size_t kLongestEntry = 120;
constexpr int kLastYear = 9999;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int Digits(std::string_view text, size_t at, size_t count) {
  int value = 0;
  for (size_t i = at; i < at + count; ++i) value = value * 10 + (text[i] - '0');
  return value;
}

// The day number of the date an entry begins with; -1 when it begins with none.
int EntryDay(std::string_view entry) {
  if (entry.size() <= kDateLength + 1 || entry[4] != '-' || entry[7] != '-' || entry[kDateLength] != ' ') return -1;
  for (size_t i : {0, 1, 2, 3, 5, 6, 8, 9}) {
    if (!IsDigit(entry[i])) return -1;
  }
  const int year = Digits(entry, 0, 4);
  const int month = Digits(entry, 5, 2);
  const int day = Digits(entry, 8, 2);
  if (year < kMinYear || year > kLastYear || day < 1 || day > DaysInMonth(year, month)) return -1;
  return DayNumberOf(year, month, day);
}

bool IsEntry(std::string_view line) {
  if (line.size() > kLongestEntry || EntryDay(line) < 0) return false;
  for (char c : line) {
    if (c < ' ' || c > '~') return false;
  }
  return true;
}

std::string EntryOf(const ReminderOccurrence& occurrence) {
  const CalendarDate date = DateOfDayNumber(occurrence.dayNumber);
  char entry[64];
  std::snprintf(entry, sizeof entry, "%04d-%02d-%02d %02d:%02d %016llx", date.year, date.month, date.day,
                occurrence.minute / 60, occurrence.minute % 60, static_cast<unsigned long long>(occurrence.textHash));
  return entry;
}

}  // namespace

void CDismissedSet::Add(const ReminderOccurrence& occurrence) { m_entries.insert(EntryOf(occurrence)); }

bool CDismissedSet::Contains(const ReminderOccurrence& occurrence) const {
  return m_entries.count(EntryOf(occurrence)) != 0;
}

bool CDismissedSet::Merge(const CDismissedSet& other) {
  const size_t before = m_entries.size();
  m_entries.insert(other.m_entries.begin(), other.m_entries.end());
  return m_entries.size() != before;
}

void CDismissedSet::PruneBefore(int firstKeptDayNumber) {
  for (auto entry = m_entries.begin(); entry != m_entries.end();) {
    entry = EntryDay(*entry) < firstKeptDayNumber ? m_entries.erase(entry) : std::next(entry);
  }
}

std::string CDismissedSet::Format() const {
  std::string bytes(kHeader);
  bytes += "\r\n";
  for (const std::string& entry : m_entries) bytes += entry + "\r\n";
  return bytes;
}

bool CDismissedSet::AddFileBytes(std::string_view bytes) {
  std::set<std::string> entries;
  bool first = true;
  while (!bytes.empty()) {
    const size_t end = std::min(bytes.find('\n'), bytes.size());
    std::string_view line = bytes.substr(0, end);
    bytes.remove_prefix(std::min(end + 1, bytes.size()));
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (first) {
      if (line != kHeader) return false;
      first = false;
    } else if (IsEntry(line)) {
      entries.emplace(line);
    }
  }
  m_entries.insert(entries.begin(), entries.end());
  return true;
}
