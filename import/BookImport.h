#pragma once
// An iCalendar stream brought into the month files of a data folder.
#include <istream>
#include <ostream>
#include <string>

#include "import/ImportOptions.h"
#include "import/ImportReport.h"

// Reads the calendar first, as a stream, keeping of it only what the range
// brings into the book: when it is none, error says why, and nothing is
// written; what of it cannot be read is a warning. Then merges it into each month file
// it touches, oldest first; report gets a line for each warning, each entry
// that does not fit (and, in a dry run, each change). A month file that
// cannot be read or written is named on report and left as it was; the
// others go on. folder holds the month files, as the data layer spells paths.
// The stream is read twice, from its start. Memory that runs out stops the
// import with a reason in error: before any month file is written, none is.
bool ImportCalendar(std::istream& calendar, const std::string& folder, const ImportOptions& options,
                    std::ostream& report, ImportSummary& summary, std::string& error);
