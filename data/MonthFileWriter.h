#pragma once
// The month file writer's parts, open to tests: one record's bytes, a
// whole file's bytes and the temporary file's name.
#include <cstddef>
#include <functional>
#include <string>

#include "data/DayRecord.h"
#include "data/MonthFile.h"

// Eleven digits for each of the four codes, every text byte escaped.
constexpr size_t kMaxRecordSize = 1838;
static_assert(kMaxRecordSize == 2 + kSealSlots * 11 + 5 + kLineCount * (2 * (kLineSize - 1) + 1) +
                                    2 * (kMemoSize - 1) + 2,
              "the longest record fits");

// The record of day dayNumber (1..31), without a terminating zero; returns
// its length. Texts are taken only up to their field size.
size_t FormatDayRecord(const DayRecord& day, int dayNumber, char (&record)[kMaxRecordSize + 1]);

// The temporary file's path: the path with its last byte changed, so that
// it lies in the same folder and fits wherever the path fits.
bool MakeTemporaryPath(const char* path, char (&temporary)[kPathSize]);

// The whole file: the header, then the record of every day up to the
// host's number of days, which is asked before every day (at most 31).
std::string FormatMonthFile(const MonthTable& table, const std::function<int()>& daysInMonth);
