#pragma once
// A month file of the book read for a change and written back through the
// data layer's crash-safe writer.
#include <functional>
#include <string>

#include "data/DayRecord.h"
#include "data/FileSnapshot.h"

class IFileSystem;

enum class MonthRead { kRead, kAbsent, kFailed };

// The path of the month's file in the folder (bytes as the data layer takes
// them); empty when it would not fit the data layer's path buffer.
std::string MonthFilePathIn(const std::string& folder, int year, int month);

// kAbsent leaves the table empty. kFailed, with the reason, when the file
// exists but cannot be read (after the data layer's retries), or holds what
// a rewrite would lose: a record cut short, or a day that the month does
// not have. base gets the file as it was read.
MonthRead ReadMonthForChange(IFileSystem& files, const std::string& path, int year, int month, MonthTable& table,
                             FileSnapshot& base, std::string& reason);

// False when the file could not be written; the old file is then unchanged.
// A file that changed since it was read (the schedule window saved it, a
// sync client brought another PC's copy) is merged with, never written over;
// what of that change found no place is kept as a file, named in keptCopy.
bool WriteChangedMonth(IFileSystem& files, const std::string& path, int year, int month, const FileSnapshot& base,
                       const MonthTable& table, std::string& keptCopy);

// What one change to a month file came to.
struct MonthChange {
  MonthRead read = MonthRead::kFailed;
  bool changed = false;  // the change altered the month
  bool written = false;  // and the file holds it now
  std::string reason;    // why it was not read (kFailed)
  std::string keptCopy;  // as WriteChangedMonth names it
};

// The month read for a change, handed to change (true when it altered the
// table), and written back when it did and write is true: the file is then
// either the changed month or, when the write failed, as it was. change is
// not called for a month that could not be read, nor for an empty path
// (one too long for the data layer).
MonthChange ChangeMonthFile(IFileSystem& files, const std::string& path, int year, int month, bool write,
                            const std::function<bool(MonthTable& table)>& change);
