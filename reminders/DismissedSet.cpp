#include "reminders/DismissedSet.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <map>

#include "calendar/CalendarFacts.h"
#include "calendar/DayNumber.h"
#include "reminders/ReminderLines.h"

namespace {

constexpr std::string_view kHeader = "Plannix dismissed reminders 1";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kLineWord = "line";
constexpr size_t kDateLength = 10;    // YYYY-MM-DD
constexpr size_t kPrefixLength = 17;  // YYYY-MM-DD HH:MM and a space
constexpr size_t kHexLength = 16;
constexpr size_t kLongestOrigin = 32;
constexpr size_t kLongestEntry = 120;
constexpr int kLastYear = 9999;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int Digits(std::string_view text, size_t at, size_t count) {
  int value = 0;
  for (size_t i = at; i < at + count; ++i) value = value * 10 + (text[i] - '0');
  return value;
}

bool ReadHex(std::string_view text, uint64_t& value) {
  if (text.size() != kHexLength) return false;
  value = 0;
  for (char c : text) {
    const int digit = IsDigit(c) ? c - '0' : (c >= 'a' && c <= 'f') ? c - 'a' + 10 : -1;
    if (digit < 0) return false;
    value = value << 4 | static_cast<uint64_t>(digit);
  }
  return true;
}

std::string Hex(uint64_t value) {
  char text[kHexLength + 1];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
  return text;
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

// An entry as this version reads it; kOther for one of a later version.
struct EntryParts {
  enum Kind { kOther, kPlaced, kByText };
  Kind kind = kOther;
  int day = -1;
  int minute = 0;
  int line = 0;
  uint64_t textHash = 0;
  std::string_view origin;  // "" where the entry names none
};

EntryParts ReadEntry(std::string_view entry) {
  EntryParts parts;
  parts.day = EntryDay(entry);
  if (parts.day < 0 || entry.size() < kPrefixLength || entry[13] != ':' || entry[16] != ' ') return parts;
  for (size_t i : {11, 12, 14, 15}) {
    if (!IsDigit(entry[i])) return parts;
  }
  const int hour = Digits(entry, 11, 2);
  const int minute = Digits(entry, 14, 2);
  if (hour > 23 || minute > 59) return parts;
  parts.minute = hour * 60 + minute;
  const std::string_view rest = entry.substr(kPrefixLength);
  if (ReadHex(rest, parts.textHash)) {
    parts.kind = EntryParts::kByText;
  } else if (rest.size() > kLineWord.size() + 2 && rest.size() <= kLineWord.size() + 2 + kLongestOrigin &&
             rest.substr(0, kLineWord.size()) == kLineWord && rest[4] >= '1' && rest[4] <= '0' + kLineCount &&
             rest[5] == ' ' && rest.find(' ', 6) == std::string_view::npos) {
    parts.kind = EntryParts::kPlaced;
    parts.line = rest[4] - '1';
    parts.origin = rest.substr(6);
  }
  return parts;
}

bool IsEntry(std::string_view line) {
  if (line.size() > kLongestEntry || EntryDay(line) < 0) return false;
  for (char c : line) {
    if (c < ' ' || c > '~') return false;
  }
  return true;
}

}  // namespace

std::string DismissedOriginOf(std::string_view machineName) {
  return Hex(HashLineText(machineName.data(), machineName.size()));
}

void CDismissedSet::Index(const std::string& entry) {
  const EntryParts parts = ReadEntry(entry);
  if (parts.kind == EntryParts::kPlaced) m_placed.emplace(parts.day, parts.minute, parts.line);
  if (parts.kind == EntryParts::kByText) m_byText.emplace(parts.day, parts.minute, parts.textHash);
}

void CDismissedSet::Insert(std::string entry) {
  // Indexed again when it is there already: an index that an exhausted heap cut short is mended.
  Index(*m_entries.insert(std::move(entry)).first);
}

void CDismissedSet::Add(const ReminderOccurrence& occurrence, std::string_view origin) {
  const CalendarDate date = DateOfDayNumber(occurrence.dayNumber);
  char entry[64];
  std::snprintf(entry, sizeof entry, "%04d-%02d-%02d %02d:%02d %.*s%d ", date.year, date.month, date.day,
                occurrence.minute / 60, occurrence.minute % 60, static_cast<int>(kLineWord.size()), kLineWord.data(),
                occurrence.line + 1);
  Insert(std::string(entry) + std::string(origin));
}

bool CDismissedSet::Contains(const ReminderOccurrence& occurrence) const {
  return m_placed.count({occurrence.dayNumber, occurrence.minute, occurrence.line}) != 0 ||
         m_byText.count({occurrence.dayNumber, occurrence.minute, occurrence.textHash}) != 0;
}

bool CDismissedSet::Merge(const CDismissedSet& other) {
  const size_t before = m_entries.size();
  for (const std::string& entry : other.m_entries) Insert(entry);
  return m_entries.size() != before;
}

void CDismissedSet::Prune(std::string_view origin, int today) {
  std::map<std::string_view, int> newest;
  for (const std::string& entry : m_entries) {
    const EntryParts parts = ReadEntry(entry);
    int& day = newest.emplace(parts.origin, parts.day).first->second;
    day = std::max(day, parts.day);
  }
  std::set<std::string> kept;
  for (const std::string& entry : m_entries) {
    const EntryParts parts = ReadEntry(entry);
    const int firstKept =
        parts.origin == origin ? today - kDismissedKeptDays : std::min(today, newest[parts.origin]) - kOthersKeptDays;
    if (parts.day >= firstKept) kept.insert(entry);
  }
  CDismissedSet pruned;
  for (const std::string& entry : kept) pruned.Index(entry);
  pruned.m_entries.swap(kept);
  *this = std::move(pruned);
}

bool CDismissedSet::HoldsMoreThan(const CDismissedSet& file, std::string_view origin, int today) const {
  for (const std::string& entry : m_entries) {
    if (file.m_entries.count(entry) != 0) continue;
    const EntryParts parts = ReadEntry(entry);
    if (parts.day >= today - 1 || (parts.origin == origin && parts.day >= today - kDismissedKeptDays)) return true;
  }
  return false;
}

void CDismissedSet::Remove(const CDismissedSet& other) {
  CDismissedSet rest;
  for (const std::string& entry : m_entries) {
    if (other.m_entries.count(entry) == 0) rest.Insert(entry);
  }
  *this = std::move(rest);
}

std::string CDismissedSet::Format() const {
  std::string bytes(kHeader);
  bytes += "\r\n";
  for (const std::string& entry : m_entries) bytes += entry + "\r\n";
  return bytes;
}

bool CDismissedSet::AddFileBytes(std::string_view bytes) {
  if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) bytes.remove_prefix(kByteOrderMark.size());
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
  for (const std::string& entry : entries) Insert(entry);
  return true;
}

bool CDismissedSet::IsWholeFile(std::string_view bytes) {
  CDismissedSet probe;
  return !bytes.empty() && bytes.back() == '\n' && probe.AddFileBytes(bytes);
}
