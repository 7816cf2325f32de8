#pragma once
// The file of what was dismissed: Plannix\reminders\dismissed.txt, ASCII.
// In a folder of its own beside the month files, as the recovered folder
// is: the search reads every file of the month files' folder and reports
// any that is no month file, the export and the folding of the months'
// conflict copies look there only, and none of them opens a folder.
// Written as a month file is (a temporary file in a saving folder, then
// put in its place), and always as the union of what the file holds at
// that moment and what this PC knows: what two PCs dismissed all stays.
#include <string>
#include <vector>

#include "data/FileSnapshot.h"
#include "reminders/DismissedSet.h"

class IFileSystem;

constexpr char kRemindersFolderName[] = "reminders";
constexpr char kDismissedFileStem[] = "dismissed";
constexpr char kDismissedFileExtension[] = ".txt";

// kDamaged: the file is there and was read, but is none of ours (cut short
// within its first line, or written by something else).
enum class DismissedRead { kRead, kAbsent, kUnreadable, kDamaged };

struct DismissedFileContent {
  DismissedRead outcome = DismissedRead::kUnreadable;
  CDismissedSet file;      // what the file holds, when read
  CDismissedSet leftCopy;  // what a write cut short left in the saving folder
  bool leftCopyWhole = false;
  FileSnapshot snapshot;  // the file's bytes
};

// The file as it is now, and the copy a write cut short left of it.
DismissedFileContent ReadDismissedFile(IFileSystem& files, const char* path);

// The file is read again and what it holds joins set; set, pruned as the
// PC named origin does on day today, is then written (its folder made
// where it is missing), unless the file holds it already. False when the
// file could not be read or is damaged (it is never written over then),
// or could not be written.
bool WriteDismissedFile(IFileSystem& files, const char* path, CDismissedSet& set, const std::string& origin, int today);

// A damaged file goes into the recovered folder of the month files, beside
// which recoveredBeside names a file, and leaves its place to a new one.
// False when it could not be moved.
bool MoveDamagedDismissedFile(IFileSystem& files, const char* path, const char* recoveredBeside, std::string& keptPath);

// The conflict copies that sync clients left of the file, in its folder
// (separator between the folder and a name): what each holds joins set,
// and once the file holds the union each moves into the recovered folder
// of the month files, beside which recoveredBeside names a file; keptPaths
// names where they went. False when a copy could not be folded: it stays,
// to be folded later.
bool FoldDismissedCopies(IFileSystem& files, const std::string& folder, char separator, const char* path,
                         const char* recoveredBeside, CDismissedSet& set, const std::string& origin, int today,
                         std::vector<std::string>& keptPaths);
