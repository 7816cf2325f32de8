#pragma once
// A save that was interrupted (a crash, a power cut, a rewrite that failed
// part-way) can leave a copy of the month beside its file. When the month
// is opened again the copy is settled: put in place when it holds the
// newer month, removed when it holds nothing the file does not, and kept
// aside for the user when which is newer cannot be told.
#include <cstdint>
#include <string>

#include "data/FileSnapshot.h"

class IFileSystem;

enum class CopySettlement {
  kNone,       // no copy was left
  kRemoved,    // a copy the month file makes needless
  kRestored,   // the copy is the month file now
  kMerged,     // what the copy held that the month file lacked is in it now
  kKeptAside,  // the copy was moved into the recovered folder, the month file left as it was
  kUnsettled,  // a file could not be read or moved: both are as they were
};

struct MonthRecovery {
  CopySettlement settlement = CopySettlement::kNone;
  std::string keptPath;  // where the copy kept aside is now
};

// Settles what interrupted saves of the month file at path left: the copy
// in the saving folder and the one earlier versions left beside the file.
// days: the month's number of days, as its file is written.
MonthRecovery SettleInterruptedSave(IFileSystem& files, const char* path, int days);

enum class CopyVerdict { kRemove, kRestore, kMerge, kKeepAside };

// What is done with a copy, from what the two files hold: a copy that is a
// whole month file is put in place unless the month file is the same, or
// was written after the copy and is not a beginning of it (a rewrite cut
// short); a whole copy and a whole month file that each hold a day the
// other lacks (the copy may have come from another PC with the synced
// folder) are merged; an unfinished copy goes when the month file is whole or the copy
// holds no day at all.
CopyVerdict JudgeLeftCopy(const FileSnapshot& copy, const FileSnapshot& month, int days);
