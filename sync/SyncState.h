#pragma once
// This PC's record of the last sync with one calendar: for each item, the
// line of the book and the server's event it is linked to, with how both
// looked then. It is the base of a three-way merge between this PC's copy
// of the book and the server, and so it is kept per PC, outside the synced
// data folder: a second PC's copy of the book may lag behind its months,
// and a record shared with it would take that lag for an edit.
#include <string>

class IFileSystem;

// The record's file for the calendar and the book: a name of its own in
// folder (a folder of this PC's, not the synced data folder, which the
// edge chooses), so that a second calendar or book never reads another's.
std::string SyncStatePath(const std::string& folder, const std::string& calendarUrl, const std::string& dataFolder);

// Forgets the last sync: the next one links what both sides hold alike
// and deletes nothing. False when the record is there and stays.
bool ResetSyncState(IFileSystem& files, const std::string& statePath);

// When the last sync that reached the server ended, and with what.
struct LastSync {
  long long utcSeconds = 0;  // 0: never
  bool complete = false;     // every item synced
};
// False when there is no record or it cannot be read.
bool ReadLastSync(IFileSystem& files, const std::string& statePath, LastSync& last);
