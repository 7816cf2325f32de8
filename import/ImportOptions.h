#pragma once
// What the import is asked to do.
#include <string>

#include "calendar/YearMonth.h"
#include "export/BookTimeZone.h"

struct ImportOptions {
  YearMonth from{1, 1};  // the first and last month imported, both included
  YearMonth to{9999, 12};
  // Where a rule without COUNT or UNTIL stops when to lies later: such a
  // rule would otherwise fill the book up to year 9999.
  YearMonth endlessUntil{9999, 12};
  bool dryRun = false;  // read and report, write nothing
  // The book's: every DATE-TIME is taken on its clock; one FindBookTimeZone knows.
  std::string timeZone = kDefaultTimeZone;
};
