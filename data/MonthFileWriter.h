#pragma once
// The month file writer's parts, open to tests and to the recovery of an
// interrupted save: one record's bytes, a whole file's bytes, the places
// a month is written through and the last step of a save.
#include <cstddef>
#include <functional>
#include <string>

#include "data/DayRecord.h"
#include "data/MonthFile.h"

class IFileSystem;

// Eleven digits for each of the four codes, every text byte escaped.
constexpr size_t kMaxRecordSize = 1838;
static_assert(kMaxRecordSize ==
                  2 + kSealSlots * 11 + 5 + kLineCount * (2 * (kLineSize - 1) + 1) + 2 * (kMemoSize - 1) + 2,
              "the longest record fits");

// Beside the month files: where a month is written before it is put in
// place (hidden, and a folder, so no listing of the month files names it),
// and where a copy is kept that could not be told older or newer.
constexpr char kSavingFolderName[] = "~saving";
constexpr char kRecoveredFolderName[] = "recovered";

// The record of day dayNumber (1..31), without a terminating zero; returns
// its length. Texts are taken only up to their field size.
size_t FormatDayRecord(const DayRecord& day, int dayNumber, char (&record)[kMaxRecordSize + 1]);

// Where the month file's name begins in its path: after the last separator,
// '/' or '\\'. The name is ASCII, so a trail byte 0x5C of a folder name
// before it is never taken for one.
size_t MonthFileNameStart(const char* path, size_t length);

// The month file's name put into a folder beside it: <folder>/<subFolder>/<name>,
// with the month path's own separator. False when the path has no folder
// or the result does not fit; folder gets <folder>/<subFolder>.
bool PathInSubFolder(const char* path, const char* subFolder, const char* name, char (&result)[kPathSize],
                     char (&folder)[kPathSize]);

// Where the month is written before it is put in place, in the saving folder.
bool MakeTemporaryPath(const char* path, char (&temporary)[kPathSize], char (&folder)[kPathSize]);

// Where earlier versions wrote it: beside the month, hidden, its last byte changed.
bool MakeLegacyTemporaryPath(const char* path, char (&temporary)[kPathSize]);

// The whole file: the header, then the record of every day up to the
// host's number of days, which is asked before every day (at most 31).
std::string FormatMonthFile(const MonthTable& table, const std::function<int()>& daysInMonth);

// How a finished copy of a month came to be its month file.
enum class CopyPlacement {
  kReplaced,   // the copy is the month file now
  kRewritten,  // the month file was rewritten in place with its bytes; the copy is gone
  kNotOpened,  // nothing changed: both files are as they were
  kCut,        // the rewrite in place failed part-way: the copy is the one whole one left
};

// Any file of the data folder written as a month file is, through a
// temporary file of the same name in the saving folder (see
// WriteMonthFileThrough).
MonthWriteOutcome WriteFileThrough(IFileSystem& files, const char* path, const std::string& bytes);

// Puts the copy in the place of the month file in one step, trying again
// briefly while another program's open file refuses that; then rewrites
// the month file where it is with bytes (the copy's), for the programs
// that hold it, and removes the copy once that succeeded.
CopyPlacement PlaceFinishedCopy(IFileSystem& files, const char* copy, const char* path, const std::string& bytes);
