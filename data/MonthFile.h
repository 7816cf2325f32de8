#pragma once
// The month data file: one per month, "QL3" current format, legacy read.
#include <cstddef>
#include <functional>

#include "data/DayRecord.h"

constexpr size_t kPathSize = 260;

// "%s\%s\schedule%d_%02d.dat" with the given separator between the parts.
// False (and an empty path) when the result does not fit in kPathSize.
bool FormatMonthFilePath(char (&path)[kPathSize], const char* dataDirectory, const char* toolName,
                         int year, int month, char separator);

// Writes the table as a current-format file: a temporary file in the same
// folder, every write checked, then put in place of the old file in one
// step. daysInMonth is asked before every day. 1 written, 0 failed (the old
// file untouched, no temporary file left).
int WriteMonthFile(const MonthTable& table, const char* path, const std::function<int()>& daysInMonth);

// Clears the table and fills it from the file. 1 read, 0 no file opened.
int ReadMonthFile(MonthTable& table, const char* path);

// The parse of a whole file's bytes, either format (tests and fuzzers).
void ParseMonthBytes(MonthTable& table, const char* bytes, size_t size);
