#include "export/ExportArguments.h"

std::string ExportUsage() {
  return "usage: plannix-export [--format ics|csv] [--from YYYY-MM] [--to YYYY-MM] [--time-zone ZONE] [--out FILE]\n"
         "                      DATAFOLDER\n"
         "Writes every month file of a Plannix data folder as one iCalendar file (ics, the default)\n"
         "or as a CSV sheet (csv), in UTF-8, to FILE or to standard output. In iCalendar a line that\n"
         "begins with a time of day (\"10:00 ...\", \"9:30-11:00 ...\") is a timed event, the others\n"
         "are all-day events.\n"
         "  --from, --to  the first and the last month to export (both included)\n"
         "  --time-zone   the zone of the timed events (default " +
         std::string(kDefaultTimeZone) + "), one of:\n" + BookTimeZoneNames(std::string(16, ' ')) + "\n";
}

bool ParseExportArguments(int argc, const char* const* argv, ExportArguments& arguments, std::string& error) {
  bool fromGiven = false;
  bool toGiven = false;
  bool formatGiven = false;
  bool outGiven = false;
  bool zoneGiven = false;
  for (int i = 1; i < argc; ++i) {
    std::string argument = argv[i];
    if (argument == "--help" || argument == "-h") {
      arguments.help = true;
      return true;
    }
    bool takesValue = argument == "--format" || argument == "--from" || argument == "--to" || argument == "--out" ||
                      argument == "--time-zone";
    if (takesValue) {
      if (i + 1 >= argc) {
        error = argument + " needs a value";
        return false;
      }
      std::string value = argv[++i];
      bool& given = argument == "--format"      ? formatGiven
                    : argument == "--from"      ? fromGiven
                    : argument == "--to"        ? toGiven
                    : argument == "--time-zone" ? zoneGiven
                                                : outGiven;
      if (given) {
        error = argument + " is given twice";
        return false;
      }
      given = true;
      if (argument == "--format") {
        if (value == "ics") {
          arguments.options.format = ExportFormat::kICalendar;
        } else if (value == "csv") {
          arguments.options.format = ExportFormat::kCsv;
        } else {
          error = "unknown format \"" + value + "\" (ics or csv)";
          return false;
        }
      } else if (argument == "--time-zone") {
        if (FindBookTimeZone(value) == nullptr) {
          error = "unknown time zone \"" + value + "\"";
          return false;
        }
        arguments.options.timeZone = value;
      } else if (argument == "--out") {
        if (value.empty()) {
          error = "--out needs a file name";
          return false;
        }
        arguments.outPath = value;
      } else if (!ParseYearMonth(value, argument == "--from" ? arguments.options.from : arguments.options.to)) {
        error = argument + " takes a month as YYYY-MM, not \"" + value + "\"";
        return false;
      }
    } else if (argument.size() > 1 && argument[0] == '-') {
      error = "unknown option " + argument;
      return false;
    } else if (!arguments.folder.empty()) {
      error = "more than one data folder given";
      return false;
    } else {
      arguments.folder = argument;
    }
  }
  if (arguments.folder.empty()) {
    error = "no data folder given";
    return false;
  }
  if (arguments.options.from.Index() > arguments.options.to.Index()) {
    error = "--from is after --to";
    return false;
  }
  return true;
}
