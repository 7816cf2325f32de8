#pragma once
// Sync clients leave a copy beside a file that two PCs wrote at once:
//   schedule2026_12.sync-conflict-20261209-101500-ABCDEFG.dat   (Syncthing)
//   schedule2026_12 (NAME's conflicted copy 2026-12-09).dat     (Dropbox, any wording)
//   schedule2026_12 (conflicted copy 2026-12-09 101500).dat     (Nextcloud)
//   schedule2026_12-NAME.dat                                    (OneDrive)
// Each is folded into its month (what only the copy holds is added,
// nothing taken away) and then moved into the recovered folder, so that
// nothing is found twice and nobody has to sort files by hand. A copy a
// user made ("schedule2026_12 - コピー.dat") is no sync client's: left alone.
#include <functional>
#include <string>
#include <vector>

#include "data/MonthMerge.h"

class IFileSystem;

// The month a conflict copy's name belongs to; false for any other name.
bool ParseConflictCopyName(const std::string& name, int& year, int& month);

// True when name is a sync client's conflict copy of the file stem +
// extension ("dismissed.sync-conflict-20261209-101500-ABCDEFG.txt" of
// "dismissed" and ".txt"), by the same rules as the months'.
bool IsConflictCopyOf(const std::string& name, const std::string& stem, const std::string& extension);

struct FoldedCopy {
  int year = 0;
  int month = 0;
  std::string keptPath;  // where the copy is now
  DayMask unplaced = 0;  // days of it that only the kept copy holds
};

// Folds every conflict copy in folder (the month files' folder, separator
// between it and a name). A copy or month that cannot be read or written
// now is left as it is, to be folded later.
std::vector<FoldedCopy> FoldConflictCopies(IFileSystem& files, const std::string& folder, char separator,
                                           const std::function<int(int year, int month)>& daysInMonth);
