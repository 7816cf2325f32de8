#pragma once
// The month data file: one per month, "QL3" current format, legacy read.
#include <cstddef>
#include <functional>

#include "data/DayRecord.h"

class IFileSystem;

constexpr size_t kPathSize = 260;

// "%s\%s\schedule%d_%02d.dat" with the given separator between the parts.
// False (and an empty path) when the result does not fit in kPathSize.
bool FormatMonthFilePath(char (&path)[kPathSize], const char* dataDirectory, const char* toolName, int year, int month,
                         char separator);
// "%s\schedule%d_%02d.dat": the month's file in the folder of the month files.
bool FormatMonthFilePathIn(char (&path)[kPathSize], const char* folder, int year, int month, char separator);

// What reading a month file came to. A file that is there but could not be
// read is never taken for an empty month.
enum class MonthReadOutcome { kRead, kAbsent, kUnreadable };

// Clears the table and fills it from the file, in one attempt. Unless the
// outcome is kRead the table is left empty.
MonthReadOutcome ReadMonthFileOnce(IFileSystem& files, const char* path, MonthTable& table);

// The same, but a file that is there and cannot be read (another program
// holds it for a moment) is tried again for about a second.
MonthReadOutcome ReadMonthFileRetrying(IFileSystem& files, const char* path, MonthTable& table);

// How a month file was saved.
enum class MonthWriteOutcome {
  kReplaced,
  kRewrittenInPlace,
  // The file held these very bytes: not written again, so that a sync
  // client sees no change to send to the other PC.
  kUnchanged,
  kFailed,
};

// Writes the table as a current-format file: a temporary file in a hidden
// folder beside the month files, every write checked, then put in place of
// the old file in one step. A replacement that another program's open file
// refuses is tried again briefly, then the old file is rewritten where it
// is; the finished temporary file stays until that succeeded, so one whole
// copy is always left, and a later save never empties it. daysInMonth is
// asked before every day.
MonthWriteOutcome WriteMonthFileThrough(IFileSystem& files, const char* path, const MonthTable& table,
                                        const std::function<int()>& daysInMonth);

// WriteMonthFileThrough on the system's files: 1 written, 0 failed.
int WriteMonthFile(const MonthTable& table, const char* path, const std::function<int()>& daysInMonth);

// ReadMonthFileOnce on the system's files: 1 read, 0 no file read (empty table).
int ReadMonthFile(MonthTable& table, const char* path);

// The parse of a whole file's bytes, either format (tests and fuzzers).
void ParseMonthBytes(MonthTable& table, const char* bytes, size_t size);

// Whether a file's bytes are written to their end for a month of that many
// days: a current-format file holds the record of its last day, a legacy
// one (which nothing writes any more) any bytes. No bytes are not whole: a
// rewrite in place begins by cutting the file to nothing.
bool IsWholeMonthFile(const char* bytes, size_t size, int days);
