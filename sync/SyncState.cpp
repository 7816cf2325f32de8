#include "sync/SyncState.h"

#include <cstdio>
#include <sstream>

#include "data/FileSystem.h"
#include "data/MonthFileWriter.h"
#include "sync/CalendarText.h"
#include "sync/SyncFiles.h"
#include "sync/SyncRecord.h"

namespace {

constexpr const char* kHeader = "plannix-sync-state 1";
// Beyond what a calendar of a hundred thousand events needs.
constexpr size_t kLargestRecord = size_t{64} << 20;

bool ParseNumber(const std::string& text, long long& value) {
  if (text.empty() || text.size() > 18) return false;
  size_t at = text[0] == '-' ? 1 : 0;
  if (at == text.size()) return false;
  value = 0;
  for (; at < text.size(); ++at) {
    if (text[at] < '0' || text[at] > '9') return false;
    value = value * 10 + (text[at] - '0');
  }
  if (text[0] == '-') value = -value;
  return true;
}

bool ParseInt(const std::string& text, int& value) {
  long long number = 0;
  if (!ParseNumber(text, number) || number < -1000000000LL || number > 1000000000LL) return false;
  value = static_cast<int>(number);
  return true;
}

std::vector<std::string> Words(const std::string& line) {
  std::vector<std::string> words;
  std::istringstream in(line);
  std::string word;
  while (in >> word) words.push_back(word);
  return words;
}

bool ParseResource(const std::vector<std::string>& words, SyncedResource& resource) {
  if (words.size() != 6) return false;
  const std::string& flags = words[5];
  if (!UnescapeField(words[1], resource.href) || resource.href.empty() || !UnescapeField(words[2], resource.etag) ||
      !UnescapeField(words[3], resource.uid) || !ParseHex64(words[4], resource.contentHash) || flags.size() != 3) {
    return false;
  }
  resource.recurs = flags[0] == 'r';
  resource.unreadable = flags[1] == 'u';
  resource.duplicate = flags[2] == 'd';
  return true;
}

bool ParseItem(const std::vector<std::string>& words, SyncedItem& item) {
  return words.size() == 6 && UnescapeField(words[1], item.href) && !item.href.empty() &&
         UnescapeField(words[2], item.recurrence) && ParseInt(words[3], item.day) && ParseInt(words[4], item.slot) &&
         item.slot >= kNoSlot && item.slot <= 5 && ParseHex64(words[5], item.bookHash);
}

}  // namespace

std::string FormatSyncRecord(const SyncRecord& record) {
  std::string text = std::string(kHeader) + "\n";
  text += "calendar " + EscapeField(record.calendarUrl) + "\n";
  text += "token " + EscapeField(record.syncToken) + "\n";
  text += "resource-id " + EscapeField(record.resourceId) + "\n";
  text += "horizon " + std::to_string(record.horizonDay) + "\n";
  text += "last " + std::to_string(record.lastSyncUtc) + " " + (record.lastComplete ? "1" : "0") + "\n";
  for (const SyncedResource& resource : record.resources) {
    std::string flags;
    flags += resource.recurs ? 'r' : '-';
    flags += resource.unreadable ? 'u' : '-';
    flags += resource.duplicate ? 'd' : '-';
    text += "resource " + EscapeField(resource.href) + " " + EscapeField(resource.etag) + " " +
            EscapeField(resource.uid) + " " + FormatHex64(resource.contentHash) + " " + flags + "\n";
  }
  for (const SyncedItem& item : record.items) {
    text += "item " + EscapeField(item.href) + " " + EscapeField(item.recurrence) + " " + std::to_string(item.day) +
            " " + std::to_string(item.slot) + " " + FormatHex64(item.bookHash) + "\n";
  }
  for (const std::string& passed : record.passed) text += "passed " + EscapeField(passed) + "\n";
  // The counts at the end tell a whole record from one cut short.
  return text + "end " + std::to_string(record.resources.size()) + " " + std::to_string(record.items.size()) + " " +
         std::to_string(record.passed.size()) + "\n";
}

bool ParseSyncRecord(const std::string& text, SyncRecord& record) {
  record = SyncRecord();
  std::istringstream in(text);
  std::string line;
  if (!std::getline(in, line) || line != kHeader) return false;
  bool ended = false;
  while (std::getline(in, line)) {
    if (ended) return false;
    const std::vector<std::string> words = Words(line);
    if (words.empty()) return false;
    const std::string& kind = words[0];
    if (kind == "calendar" && words.size() == 2) {
      if (!UnescapeField(words[1], record.calendarUrl)) return false;
    } else if (kind == "token" && words.size() == 2) {
      if (!UnescapeField(words[1], record.syncToken)) return false;
    } else if (kind == "resource-id" && words.size() == 2) {
      if (!UnescapeField(words[1], record.resourceId)) return false;
    } else if (kind == "horizon" && words.size() == 2) {
      if (!ParseInt(words[1], record.horizonDay)) return false;
    } else if (kind == "last" && words.size() == 3) {
      if (!ParseNumber(words[1], record.lastSyncUtc) || (words[2] != "0" && words[2] != "1")) return false;
      record.lastComplete = words[2] == "1";
    } else if (kind == "resource") {
      SyncedResource resource;
      if (!ParseResource(words, resource)) return false;
      record.resources.push_back(std::move(resource));
    } else if (kind == "item") {
      SyncedItem item;
      if (!ParseItem(words, item)) return false;
      record.items.push_back(std::move(item));
    } else if (kind == "passed" && words.size() == 2) {
      std::string passed;
      if (!UnescapeField(words[1], passed)) return false;
      record.passed.push_back(std::move(passed));
    } else if (kind == "end" && (words.size() == 3 || words.size() == 4)) {
      // A record of an earlier version counts no passed entries.
      ended = words[1] == std::to_string(record.resources.size()) && words[2] == std::to_string(record.items.size()) &&
              (words.size() == 3 ? record.passed.empty() : words[3] == std::to_string(record.passed.size()));
      if (!ended) return false;
    } else {
      return false;
    }
  }
  return ended;
}

RecordRead ReadSyncRecord(IFileSystem& files, const std::string& path, SyncRecord& record) {
  std::string bytes;
  const SmallFileRead read = ReadSmallFile(files, path, kLargestRecord, bytes);
  if (read == SmallFileRead::kRead && ParseSyncRecord(bytes, record)) return RecordRead::kRead;
  // A rewrite in place cut short leaves the whole copy in the saving folder.
  const std::string copy = SavingCopyPath(path);
  std::string copyBytes;
  if (!copy.empty() && ReadSmallFile(files, copy, kLargestRecord, copyBytes) == SmallFileRead::kRead &&
      ParseSyncRecord(copyBytes, record)) {
    return RecordRead::kRead;
  }
  return read == SmallFileRead::kAbsent ? RecordRead::kAbsent : RecordRead::kUnreadable;
}

bool WriteSyncRecord(IFileSystem& files, const std::string& path, const SyncRecord& record) {
  return WriteFileThrough(files, path.c_str(), FormatSyncRecord(record)) != MonthWriteOutcome::kFailed;
}

std::string SyncStatePath(const std::string& folder, const std::string& calendarUrl, const std::string& dataFolder) {
  const uint64_t hash = HashBytes(dataFolder, HashBytes(calendarUrl + "\n"));
  std::string path = folder;
  if (!path.empty() && path.back() != '/' && path.back() != '\\') path += '/';
  return path + "calendar-" + FormatHex64(hash) + ".txt";
}

bool ResetSyncState(IFileSystem& files, const std::string& statePath) {
  const std::string copy = SavingCopyPath(statePath);
  if (!copy.empty()) files.Remove(copy.c_str());
  files.Remove(statePath.c_str());
  return !files.Stamp(statePath.c_str()).present;
}

bool ReadLastSync(IFileSystem& files, const std::string& statePath, LastSync& last) {
  SyncRecord record;
  if (ReadSyncRecord(files, statePath, record) != RecordRead::kRead) return false;
  last.utcSeconds = record.lastSyncUtc;
  last.complete = record.lastComplete;
  return true;
}
