#pragma once
// A month file of the book read for a change and written back through the
// data layer's crash-safe writer.
#include <string>

#include "data/DayRecord.h"
#include "data/FileSnapshot.h"

enum class MonthRead { kRead, kAbsent, kFailed };

// The path of the month's file in the folder (bytes as the data layer takes
// them); empty when it would not fit the data layer's path buffer.
std::string MonthFilePathIn(const std::string& folder, int year, int month);

// kAbsent leaves the table empty. kFailed, with the reason, when the file
// exists but cannot be read (after the data layer's retries), or holds what
// a rewrite would lose: a record cut short, or a day that the month does
// not have. base gets the file as it was read.
MonthRead ReadMonthForChange(const std::string& path, int year, int month, MonthTable& table, FileSnapshot& base,
                             std::string& reason);

// False when the file could not be written; the old file is then unchanged.
// A file that changed since it was read (the schedule window saved it, a
// sync client brought another PC's copy) is merged with, never written over;
// what of that change found no place is kept as a file, named in keptCopy.
bool WriteChangedMonth(const std::string& path, int year, int month, const FileSnapshot& base, const MonthTable& table,
                       std::string& keptCopy);
