#pragma once
// The dismissals this PC could not get into the data folder's file yet (a
// share offline, the file held), kept in a file of this PC's own outside
// the synced folder until they are there: a close, a crash or a power cut
// then loses none, and the next start writes them. The same format as the
// data folder's file; "" for a path means this PC has no such file.
#include <string>

#include "reminders/DismissedSet.h"

class IFileSystem;

// What the file holds joins set; false when it is there and cannot be read.
bool ReadLocalDismissals(IFileSystem& files, const std::string& path, CDismissedSet& set);
// set joins what the file holds (another host on this PC may keep its own
// there too); false when it could not be written.
bool KeepLocalDismissals(IFileSystem& files, const std::string& path, const CDismissedSet& set);
// What the data folder's file now holds, and what pruning drops, leave the
// file; the file goes once nothing is left in it.
void SettleLocalDismissals(IFileSystem& files, const std::string& path, const CDismissedSet& written,
                           const std::string& origin, int today);
