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

class CDismissedSet;
class IFileSystem;

constexpr char kRemindersFolderName[] = "reminders";
constexpr char kDismissedFileStem[] = "dismissed";
constexpr char kDismissedFileExtension[] = ".txt";

enum class DismissedRead { kRead, kAbsent, kUnreadable };

// What the file holds joins set, with what a write cut short left of it in
// the saving folder. A file that cannot be read or is no such file is
// kUnreadable, and set stays as it was.
DismissedRead ReadDismissedFile(IFileSystem& files, const char* path, CDismissedSet& set);

// The file is read again and what it holds joins set; set, pruned of the
// entries dated before the day given, is then written (its folder made
// where it is missing), unless the file holds it already. False when the
// file could not be read (it is never written over then) or written.
bool WriteDismissedFile(IFileSystem& files, const char* path, CDismissedSet& set, int firstKeptDayNumber);

// The conflict copies that sync clients left of the file, in its folder
// (separator between the folder and a name): what each holds joins set,
// and once the file holds the union each moves into the recovered folder
// of the month files, beside which recoveredBeside names a file; keptPaths
// names where they went. False when a copy could not be folded: it stays,
// to be folded later.
bool FoldDismissedCopies(IFileSystem& files, const std::string& folder, char separator, const char* path,
                         const char* recoveredBeside, CDismissedSet& set, int firstKeptDayNumber,
                         std::vector<std::string>& keptPaths);
