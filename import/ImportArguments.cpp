#include "import/ImportArguments.h"

std::string ImportUsage() {
  return "usage: plannix-import [--dry-run] [--from YYYY-MM] [--to YYYY-MM] [--time-zone ZONE] FILE.ics DATAFOLDER\n"
         "Adds the events of an iCalendar file to the month files of a Plannix data folder:\n"
         "each into a free line, its description into the memo, seals named by its categories\n"
         "into free seal slots. Nothing the book holds is changed; what does not fit is listed.\n"
         "A line or an event that cannot be read is left out with a warning; the rest is imported.\n"
         "  --dry-run     write nothing; list what would change\n"
         "  --from, --to  the first and the last month to import (both included); a rule\n"
         "                without an end is repeated up to --to, or else to the end of next year\n"
         "  --time-zone   the book's zone: times of other zones are converted into it (default " +
         std::string(kDefaultTimeZone) + "), one of:\n" + BookTimeZoneNames(std::string(16, ' ')) + "\n";
}

bool ParseImportArguments(const std::vector<std::string>& arguments, ImportArguments& parsed, std::string& error) {
  bool fromGiven = false;
  bool zoneGiven = false;
  std::vector<std::string> positional;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--help" || argument == "-h") {
      parsed.help = true;
      return true;
    }
    if (argument == "--dry-run") {
      parsed.options.dryRun = true;
    } else if (argument == "--time-zone") {
      if (i + 1 >= arguments.size() || zoneGiven) {
        error = zoneGiven ? "--time-zone is given twice" : "--time-zone needs a value";
        return false;
      }
      zoneGiven = true;
      parsed.options.timeZone = arguments[++i];
      if (FindBookTimeZone(parsed.options.timeZone) == nullptr) {
        error = "unknown time zone \"" + parsed.options.timeZone + "\"";
        return false;
      }
    } else if (argument == "--from" || argument == "--to") {
      bool& given = argument == "--from" ? fromGiven : parsed.toGiven;
      if (i + 1 >= arguments.size()) {
        error = argument + " needs a value";
        return false;
      }
      if (given) {
        error = argument + " is given twice";
        return false;
      }
      given = true;
      const std::string& value = arguments[++i];
      if (!ParseYearMonth(value, argument == "--from" ? parsed.options.from : parsed.options.to)) {
        error = argument + " takes a month as YYYY-MM, not \"" + value + "\"";
        return false;
      }
    } else if (argument.size() > 1 && argument[0] == '-') {
      error = "unknown option " + argument;
      return false;
    } else {
      positional.push_back(argument);
    }
  }
  if (positional.size() != 2) {
    error = positional.size() < 2 ? "a calendar file and a data folder are needed" : "more than two files given";
    return false;
  }
  parsed.calendarPath = positional[0];
  parsed.folder = positional[1];
  if (parsed.options.from.Index() > parsed.options.to.Index()) {
    error = "--from is after --to";
    return false;
  }
  return true;
}
