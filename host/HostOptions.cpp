#include "host/HostOptions.h"

#include <cwctype>

#include "calendar/CalendarFacts.h"
#include "calendar/YearMonth.h"
#include "host/ExactCp932.h"
#include "host/HostExport.h"
#include "win/Text.h"

const wchar_t kHostUsage[] =
    L"usage: plannix-host [options] [command]\n"
    L"commands (at most one; none opens the window):\n"
    L"  --search WORDS          text search; words separated by spaces\n"
    L"  --seal-search BITMAPID  seal search for the seal of that picture id\n"
    L"  --out FILE              search lines go to FILE, each followed by a NUL byte\n"
    L"                          (default: standard output)\n"
    L"  --save-and-exit         open today's month, save it, close; exit 0 when saved\n"
    L"  --screenshot FILE.bmp   capture the schedule window\n"
    L"  --settings-shot FILE.bmp  also capture the settings dialog\n"
    L"  --holidays YEAR         list the year's holidays as YYYY-MM-DD name (UTF-8)\n"
    L"  --export FILE           write the schedule book into FILE, from the month files\n"
    L"    --format ics|csv      iCalendar or CSV (default: CSV for a .csv FILE, else iCalendar)\n"
    L"    --from YYYY-MM        the first month exported (default: the oldest)\n"
    L"    --to YYYY-MM          the last month exported (default: the newest)\n"
    L"  --import FILE.ics       add the events of an iCalendar file to the book's free lines,\n"
    L"                          memos and seal slots; the report and a summary go to standard output\n"
    L"    --dry-run             write nothing; list what would change\n"
    L"    --from, --to YYYY-MM  the months imported (default: all; a rule without an end\n"
    L"                          is repeated up to --to, or else to the end of next year)\n"
    L"  --print month|diary     print the month on display as a calendar, or its days as a diary,\n"
    L"                          to the default printer, without dialogs\n"
    L"    --print-from, --print-to YYYY-MM-DD  the diary's first and last day (default: the month's)\n"
    L"    --print-empty-days    the diary shows the days without anything too\n"
    L"  --sync                  sync the book once with its calendar server, as set up in the\n"
    L"                          schedule's calendar sync dialog; the result goes to standard output\n"
    L"options:\n"
    L"  --data DIR              data directory (default: %APPDATA%\\Quirelle)\n"
    L"  --today YYYY-MM-DD      stands for today's date\n"
    L"  --ini FILE              settings file (default: DIR\\Quirelle.ini)\n";

namespace {

// A whole decimal number of at most maxDigits digits, nothing else.
bool ParseDecimal(const std::wstring& text, size_t maxDigits, int& value) {
  if (text.empty() || text.size() > maxDigits) return false;
  value = 0;
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') return false;
    value = value * 10 + (c - L'0');
  }
  return true;
}

bool ParseDate(const std::wstring& text, DateRecord& date) {
  size_t first = text.find(L'-');
  size_t second = first == std::wstring::npos ? first : text.find(L'-', first + 1);
  if (second == std::wstring::npos) return false;
  int year = 0, month = 0, day = 0;
  if (!ParseDecimal(text.substr(0, first), 5, year) ||
      !ParseDecimal(text.substr(first + 1, second - first - 1), 2, month) ||
      !ParseDecimal(text.substr(second + 1), 2, day)) {
    return false;
  }
  if (year < kMinYear || year > kMaxYear || day < 1 || day > DaysInMonth(year, month)) return false;
  date.wYear = static_cast<uint16_t>(year);
  date.wMonth = static_cast<uint16_t>(month);
  date.wDay = static_cast<uint16_t>(day);
  date.wDayOfWeek = static_cast<uint16_t>(WeekdayOf(year, month, day));
  return true;
}

bool EndsWithBmp(const std::wstring& path) {
  if (path.size() < 4) return false;
  std::wstring tail = path.substr(path.size() - 4);
  for (wchar_t& c : tail) c = static_cast<wchar_t>(std::towlower(c));
  return tail == L".bmp";
}

// "YYYY-MM" in ASCII; other characters can never make a month.
bool ParseMonth(const std::wstring& text, YearMonth& month) {
  std::string ascii;
  for (wchar_t c : text) {
    if (c > 0x7F) return false;
    ascii += static_cast<char>(c);
  }
  return ParseYearMonth(ascii, month);
}

bool SetCommand(HostOptions& options, HostCommand command) {
  bool alsoScreenshot = options.command == HostCommand::kScreenshot && command == HostCommand::kScreenshot;
  if (options.command != HostCommand::kInteractive && !alsoScreenshot) return false;
  options.command = command;
  return true;
}

}  // namespace

std::wstring ParseHostOptions(int argc, const wchar_t* const* argv, HostOptions& options) {
  options = HostOptions();
  bool outGiven = false;
  bool formatGiven = false;
  bool rangeGiven = false;
  bool printOptionGiven = false;
  for (int i = 1; i < argc; ++i) {
    std::wstring name = argv[i];
    if (name == L"--save-and-exit") {
      if (!SetCommand(options, HostCommand::kSaveAndExit)) return L"more than one command given";
      continue;
    }
    if (name == L"--sync") {
      if (!SetCommand(options, HostCommand::kSync)) return L"more than one command given";
      continue;
    }
    if (name == L"--dry-run") {
      options.importOptions.dryRun = true;
      continue;
    }
    if (name == L"--print-empty-days") {
      options.printRequest.withEmptyDays = 1;
      printOptionGiven = true;
      continue;
    }
    if (name != L"--search" && name != L"--seal-search" && name != L"--out" && name != L"--screenshot" &&
        name != L"--settings-shot" && name != L"--holidays" && name != L"--data" && name != L"--today" &&
        name != L"--ini" && name != L"--export" && name != L"--format" && name != L"--from" && name != L"--to" &&
        name != L"--import" && name != L"--print" && name != L"--print-from" && name != L"--print-to") {
      return L"unknown argument: " + name;
    }
    if (i + 1 >= argc) return name + L" needs a value";
    std::wstring value = argv[++i];
    if (name == L"--search") {
      if (!SetCommand(options, HostCommand::kSearch)) return L"more than one command given";
      if (!ToCp932Exactly(value, options.query)) return L"--search: the words cannot be written in code page 932";
    } else if (name == L"--seal-search") {
      int bitmapId = 0;
      if (!SetCommand(options, HostCommand::kSealSearch)) return L"more than one command given";
      if (!ParseDecimal(value, 9, bitmapId)) return L"--seal-search needs a decimal bitmap id: " + value;
      options.query = NarrowToCp932(value.c_str()).str();
    } else if (name == L"--out") {
      options.outPath = value;
      outGiven = true;
    } else if (name == L"--screenshot" || name == L"--settings-shot") {
      if (!SetCommand(options, HostCommand::kScreenshot)) return L"more than one command given";
      if (!EndsWithBmp(value)) return name + L" writes a .bmp file: " + value;
      (name == L"--screenshot" ? options.screenshotPath : options.settingsShotPath) = value;
    } else if (name == L"--holidays") {
      if (!SetCommand(options, HostCommand::kHolidays)) return L"more than one command given";
      if (!ParseDecimal(value, 5, options.holidayYear) || options.holidayYear < kMinYear ||
          options.holidayYear > kMaxYear) {
        return L"--holidays needs a year from 1 to 65535: " + value;
      }
    } else if (name == L"--export") {
      if (!SetCommand(options, HostCommand::kExport)) return L"more than one command given";
      if (value.empty()) return L"--export needs a file name";
      options.exportPath = value;
    } else if (name == L"--import") {
      if (!SetCommand(options, HostCommand::kImport)) return L"more than one command given";
      if (value.empty()) return L"--import needs a file name";
      options.importPath = value;
    } else if (name == L"--print") {
      if (!SetCommand(options, HostCommand::kPrint)) return L"more than one command given";
      if (value != L"month" && value != L"diary") return L"--print is month or diary, not " + value;
      options.printRequest.kind = value == L"diary" ? kPrintDiary : kPrintMonth;
    } else if (name == L"--print-from" || name == L"--print-to") {
      if (!ParseDate(value, name == L"--print-from" ? options.printRequest.from : options.printRequest.to)) {
        return name + L" needs a date YYYY-MM-DD that exists: " + value;
      }
      printOptionGiven = true;
    } else if (name == L"--format") {
      if (value != L"ics" && value != L"csv") return L"--format is ics or csv, not " + value;
      options.exportOptions.format = value == L"csv" ? ExportFormat::kCsv : ExportFormat::kICalendar;
      formatGiven = true;
    } else if (name == L"--from" || name == L"--to") {
      if (!ParseMonth(value, name == L"--from" ? options.exportOptions.from : options.exportOptions.to)) {
        return name + L" needs a month YYYY-MM: " + value;
      }
      rangeGiven = true;
      options.rangeEndGiven = options.rangeEndGiven || name == L"--to";
    } else if (name == L"--data") {
      options.dataDirectory = value;
    } else if (name == L"--today") {
      DateRecord date;
      if (!ParseDate(value, date)) return L"--today needs a date YYYY-MM-DD that exists: " + value;
      options.today = date;
    } else {
      options.iniPath = value;
    }
  }
  bool searching = options.command == HostCommand::kSearch || options.command == HostCommand::kSealSearch;
  if (outGiven && !searching) return L"--out goes with --search or --seal-search";
  if (options.command == HostCommand::kScreenshot && options.screenshotPath.empty()) {
    return L"--settings-shot goes with --screenshot";
  }
  if (options.exportOptions.from.Index() > options.exportOptions.to.Index()) return L"--from is after --to";
  if (options.command == HostCommand::kExport) {
    if (!formatGiven) options.exportOptions.format = FormatForFile(options.exportPath, ExportFormat::kICalendar);
  } else if (options.command == HostCommand::kImport) {
    if (formatGiven) return L"--format goes with --export";
    options.importOptions.from = options.exportOptions.from;
    options.importOptions.to = options.exportOptions.to;
  } else if (formatGiven || rangeGiven) {
    return L"--format, --from and --to go with --export or --import";
  }
  if (options.importOptions.dryRun && options.command != HostCommand::kImport) return L"--dry-run goes with --import";
  const PrintRequest& print = options.printRequest;
  if (printOptionGiven && (options.command != HostCommand::kPrint || print.kind != kPrintDiary)) {
    return L"--print-from, --print-to and --print-empty-days go with --print diary";
  }
  if ((print.from.wYear == 0) != (print.to.wYear == 0)) return L"--print-from and --print-to go together";
  return L"";
}
