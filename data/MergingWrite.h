#pragma once
// A month written over a file that may have changed since it was read here
// (a sync client brought the other PC's copy, a second host saved it): the
// file is read again first, and a change found there is merged in, never
// written over. What of it finds no place in the month is kept as the file
// arrived, in the recovered folder.
#include <string>

#include "data/DayRecord.h"
#include "data/FileSnapshot.h"
#include "data/MonthFile.h"
#include "data/MonthMerge.h"

class IFileSystem;

struct MergingWrite {
  MonthWriteOutcome outcome = MonthWriteOutcome::kFailed;
  // The file could not be read again: nothing was written.
  bool unreadable = false;
  // The file had changed: what was written is the merge.
  bool merged = false;
  MonthTable written;  // what the file holds now, when it was written
  FileSnapshot base;   // the bytes written: the base of the next write
  DayMask unplaced = 0;
  std::string keptCopy;  // where the file as it arrived is kept, when unplaced
};

// base: the file as it was last read or written here. A file that holds
// what would be written already is left as it is. A file that is gone
// meanwhile is written as the table; one that cannot be read is not written.
MergingWrite WriteMonthOverChanges(IFileSystem& files, const char* path, const FileSnapshot& base,
                                   const MonthTable& table, int days);

// What only a copy of the month holds (a conflict copy, a copy an
// interrupted save left) added to the month file as it was just read:
// nothing is taken away. copyUnplaced: the days of the copy that found no
// place, which only the copy holds.
MergingWrite AddCopyToMonth(IFileSystem& files, const char* path, const FileSnapshot& month, const FileSnapshot& copy,
                            int days, DayMask& copyUnplaced);

// The month a snapshot holds; an absent file is an empty month.
void ParseSnapshotMonth(const FileSnapshot& snapshot, MonthTable& table);
