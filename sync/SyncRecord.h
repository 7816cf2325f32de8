#pragma once
// The record of the last sync (see SyncState.h): each server resource seen,
// with its ETag and a hash of its content, and each item linked, with the
// line of the book it stands in and a hash of that line as it was then.
#include <cstdint>
#include <string>
#include <vector>

class IFileSystem;

constexpr int kNoSlot = -1;  // an item the book keeps no line for: placed in the memo, or found no room

struct SyncedResource {
  std::string href;  // as the server wrote it
  std::string etag;  // empty: none known yet (a PUT answered without one)
  std::string uid;
  uint64_t contentHash = 0;
  bool recurs = false;
  bool unreadable = false;  // told once; read again when its ETag changes
  bool duplicate = false;   // its UID is another resource's too: left alone, told once
};

struct SyncedItem {
  std::string href;
  std::string recurrence;  // the occurrence's; empty for an event that does not recur
  int day = 0;             // day number of its line
  int slot = 0;            // 0..4 a line, 5 the memo, kNoSlot
  uint64_t bookHash = 0;   // of the line (with the day's seals, for an event the book made) as it was synced
};

struct SyncRecord {
  std::string calendarUrl;
  std::string syncToken;   // empty: none
  std::string resourceId;  // the calendar's, where the server gives one
  int horizonDay = 0;      // how far the rules without end were followed
  long long lastSyncUtc = 0;
  bool lastComplete = false;
  std::vector<SyncedResource> resources;
  std::vector<SyncedItem> items;
  // Entries of what the book linked (LinkedItems.h) whose event this PC saw
  // gone and their line no longer holding it: a line that holds it again
  // was typed again, and is not cleared for them.
  std::vector<std::string> passed;
};

enum class RecordRead { kRead, kAbsent, kUnreadable };

// A record that a rewrite in place cut short is read from the whole copy
// the write left beside it.
RecordRead ReadSyncRecord(IFileSystem& files, const std::string& path, SyncRecord& record);
bool WriteSyncRecord(IFileSystem& files, const std::string& path, const SyncRecord& record);

std::string FormatSyncRecord(const SyncRecord& record);
bool ParseSyncRecord(const std::string& text, SyncRecord& record);
