#pragma once
// A month file of the book read for a change and written back through the
// data layer's crash-safe writer.
#include <string>

#include "data/DayRecord.h"

enum class MonthRead { kRead, kAbsent, kFailed };

// The path of the month's file in the folder (bytes as the data layer takes
// them); empty when it would not fit the data layer's path buffer.
std::string MonthFilePathIn(const std::string& folder, int year, int month);

// kAbsent leaves the table empty. kFailed, with the reason, when the file
// exists but cannot be read (after the data layer's retries), or holds what
// a rewrite would lose: a record cut short, or a day that the month does
// not have.
MonthRead ReadMonthForChange(const std::string& path, int year, int month, MonthTable& table, std::string& reason);

// False when the file could not be written; the old file is then unchanged.
bool WriteChangedMonth(const std::string& path, int year, int month, const MonthTable& table);
