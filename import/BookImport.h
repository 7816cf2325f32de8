#pragma once
// An iCalendar stream brought into the month files of a data folder.
#include <ostream>
#include <string>
#include <string_view>

#include "import/ImportOptions.h"
#include "import/ImportReport.h"

// Reads the whole calendar first: when it is none, error says why, and
// nothing is written; what of it cannot be read is a warning. Then merges it into each month file
// it touches, oldest first; report gets a line for each warning, each entry
// that does not fit (and, in a dry run, each change). A month file that
// cannot be read or written is named on report and left as it was; the
// others go on. folder holds the month files, as the data layer spells paths.
bool ImportCalendar(std::string_view calendar, const std::string& folder, const ImportOptions& options,
                    std::ostream& report, ImportSummary& summary, std::string& error);
