#include "sync/LinkedItems.h"

#include <cstdio>

#include "calendar/DayNumber.h"
#include "data/ConflictCopies.h"
#include "data/FileSystem.h"
#include "data/MonthFileWriter.h"
#include "data/RecoveredFolder.h"
#include "sync/BookIdentity.h"
#include "sync/CalendarText.h"
#include "sync/SyncFiles.h"

namespace {

constexpr const char* kHeader = "plannix-sync-linked 1";
constexpr const char* kFileExtension = ".txt";
constexpr size_t kLongestLine = 4096;
// Beyond what a book of every line of ten years, each edited often, needs.
constexpr size_t kLargestFile = size_t{64} << 20;
constexpr int kLastSlot = 5;

bool IsWord(const std::string& word) {
  if (word.empty()) return false;
  for (char c : word) {
    if (c <= ' ' || c > '~') return false;
  }
  return true;
}

bool ParseDate(const std::string& text, int& day) {
  int year = 0;
  int month = 0;
  int date = 0;
  char end = 0;
  if (text.size() != 10 || std::sscanf(text.c_str(), "%4d-%2d-%2d%c", &year, &month, &date, &end) != 3) return false;
  if (year < 1 || month < 1 || month > 12 || date < 1 || date > 31) return false;
  day = DayNumberOf(year, month, date);
  const CalendarDate back = DateOfDayNumber(day);
  return back.year == year && back.month == month && back.day == date;
}

std::string FolderOf(const std::string& path) { return path.substr(0, path.find_last_of('/')); }
std::string NameOf(const std::string& path) { return path.substr(path.find_last_of('/') + 1); }
std::string StemOf(const std::string& path) {
  const std::string name = NameOf(path);
  return name.substr(0, name.size() - std::string(kFileExtension).size());
}

// The sync clients' conflict copies of the file, by name, with their bytes as ours.
std::vector<std::string> ReadCopies(IFileSystem& files, const std::string& path, CLinkedItems& items) {
  std::vector<std::string> names;
  std::vector<std::string> copies;
  if (!files.ListFolder(FolderOf(path).c_str(), names)) return copies;
  for (const std::string& name : names) {
    if (!IsConflictCopyOf(name, StemOf(path), kFileExtension)) continue;
    std::string bytes;
    // One that cannot be read now stays, to be folded later.
    if (ReadSmallFile(files, FolderOf(path) + "/" + name, kLargestFile, bytes) != SmallFileRead::kRead) continue;
    if (items.AddFileBytes(bytes)) copies.push_back(name);
  }
  return copies;
}

void ReadLeftCopy(IFileSystem& files, const std::string& path, CLinkedItems& items) {
  const std::string copy = SavingCopyPath(path);
  std::string bytes;
  if (!copy.empty() && ReadSmallFile(files, copy, kLargestFile, bytes) == SmallFileRead::kRead)
    items.AddFileBytes(bytes);
}

bool MoveIntoRecovered(IFileSystem& files, const std::string& dataFolder, const std::string& path) {
  const std::string name = NameOf(path);
  const std::string besideMonths = dataFolder + "/" + name;
  std::string kept;
  return KeepInRecovered(
      files, besideMonths.c_str(), name.c_str(), [&](const char* target) { return files.Move(path.c_str(), target); },
      kept);
}

}  // namespace

std::string FormatLinkedItem(const LinkedItem& item) {
  const CalendarDate date = DateOfDayNumber(item.day);
  char day[32];
  std::snprintf(day, sizeof day, "%04d-%02d-%02d", date.year, date.month, date.day);
  return std::string(day) + " " + std::to_string(item.slot) + " " + FormatHex64(item.fieldHash) + " " +
         EscapeField(item.href) + " " + EscapeField(item.recurrence);
}

bool ParseLinkedItem(const std::string& line, LinkedItem& item) {
  if (line.size() > kLongestLine) return false;
  std::vector<std::string> words;
  size_t start = 0;
  while (start <= line.size()) {
    const size_t end = std::min(line.find(' ', start), line.size());
    words.push_back(line.substr(start, end - start));
    start = end + 1;
  }
  if (words.size() != 5) return false;
  for (const std::string& word : words) {
    if (!IsWord(word)) return false;
  }
  LinkedItem read;
  if (!ParseDate(words[0], read.day) || words[1].size() != 1 || words[1][0] < '0' || words[1][0] > '0' + kLastSlot ||
      words[2].size() != 16 || !ParseHex64(words[2], read.fieldHash) || !UnescapeField(words[3], read.href) ||
      read.href.empty() || !UnescapeField(words[4], read.recurrence)) {
    return false;
  }
  read.slot = words[1][0] - '0';
  item = std::move(read);
  return true;
}

void CLinkedItems::Add(const LinkedItem& item) {
  if (m_lines.insert(FormatLinkedItem(item)).second)
    m_byLine.emplace(std::make_tuple(item.day, item.slot, item.fieldHash), item);
}

bool CLinkedItems::Merge(const CLinkedItems& other) {
  const size_t before = m_lines.size();
  for (const auto& entry : other.m_byLine) Add(entry.second);
  return m_lines.size() != before;
}

void CLinkedItems::PruneBefore(int day) {
  for (auto entry = m_byLine.begin(); entry != m_byLine.end();) {
    if (entry->second.day >= day) {
      ++entry;
      continue;
    }
    m_lines.erase(FormatLinkedItem(entry->second));
    entry = m_byLine.erase(entry);
  }
}

std::vector<LinkedItem> CLinkedItems::Of(int day, int slot, uint64_t fieldHash) const {
  std::vector<LinkedItem> found;
  const auto range = m_byLine.equal_range(std::make_tuple(day, slot, fieldHash));
  for (auto entry = range.first; entry != range.second; ++entry) found.push_back(entry->second);
  return found;
}

std::vector<LinkedItem> CLinkedItems::All() const {
  std::vector<LinkedItem> all;
  for (const auto& entry : m_byLine) all.push_back(entry.second);
  return all;
}

std::string CLinkedItems::Format() const {
  std::string text = std::string(kHeader) + "\n";
  for (const std::string& line : m_lines) text += line + "\n";
  return text;
}

bool CLinkedItems::AddFileBytes(const std::string& bytes) {
  if (bytes.empty()) return true;
  const size_t headerEnd = bytes.find('\n');
  std::string header = bytes.substr(0, headerEnd);
  if (!header.empty() && header.back() == '\r') header.pop_back();
  if (header != kHeader) return false;
  // Only whole lines: a write cut short leaves its last one without its end.
  const std::string whole = bytes.substr(0, bytes.find_last_of('\n') + 1);
  ForEachLine(whole.substr(std::min(whole.size(), headerEnd + 1)), [&](const std::string& line) {
    LinkedItem item;
    if (ParseLinkedItem(line, item)) Add(item);
    return true;
  });
  return true;
}

std::string LinkedItemsPath(const std::string& dataFolder, const std::string& calendarUrl) {
  return dataFolder + "/" + kSyncFolderName + "/linked-" + FormatHex64(HashBytes(calendarUrl)) + kFileExtension;
}

bool ReadLinkedItems(IFileSystem& files, const std::string& path, CLinkedItems& items) {
  std::string bytes;
  const SmallFileRead read = ReadSmallFile(files, path, kLargestFile, bytes);
  if (read == SmallFileRead::kUnreadable) return false;
  if (read == SmallFileRead::kRead) items.AddFileBytes(bytes);
  ReadLeftCopy(files, path, items);
  ReadCopies(files, path, items);
  return true;
}

bool WriteLinkedItems(IFileSystem& files, const std::string& dataFolder, const std::string& path, CLinkedItems& items,
                      int pruneBefore) {
  std::string bytes;
  const SmallFileRead read = ReadSmallFile(files, path, kLargestFile, bytes);
  if (read == SmallFileRead::kUnreadable) return false;
  CLinkedItems now;
  const bool ours = read == SmallFileRead::kAbsent || now.AddFileBytes(bytes);
  ReadLeftCopy(files, path, now);
  const std::vector<std::string> copies = ReadCopies(files, path, now);
  items.Merge(now);
  items.PruneBefore(pruneBefore);
  // A file of that name that is none of ours is kept, and gives its place to ours.
  if (!ours && !MoveIntoRecovered(files, dataFolder, path)) return false;
  const std::string text = items.Format();
  // Unchanged, so that a sync client has nothing to carry to the other PC.
  if (!(ours && read == SmallFileRead::kRead && bytes == text)) {
    files.MakeFolder(FolderOf(path).c_str(), false);
    if (WriteFileThrough(files, path.c_str(), text) == MonthWriteOutcome::kFailed) return false;
  }
  for (const std::string& name : copies) MoveIntoRecovered(files, dataFolder, FolderOf(path) + "/" + name);
  return true;
}
