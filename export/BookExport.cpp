#include "export/BookExport.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "calendar/CalendarFacts.h"
#include "export/CsvWriter.h"
#include "export/ICalendarWriter.h"
#include "export/MonthFileList.h"
#include "export/MonthFileLoad.h"

namespace {

std::unique_ptr<CDayWriter> MakeWriter(ExportFormat format, std::ostream& out, const BookTimeZone& zone) {
  if (format == ExportFormat::kCsv) return std::make_unique<CCsvWriter>(out);
  return std::make_unique<CICalendarWriter>(out, PLANNIX_VERSION, zone);
}

bool IsEmpty(const DayRecord& record) {
  for (int slot = 0; slot < kSealSlots; ++slot) {
    if (record.nSeal[slot] != 0) return false;
  }
  for (int line = 0; line < kLineCount; ++line) {
    if (record.szLine[line][0] != '\0') return false;
  }
  return record.szMemo[0] == '\0';
}

class CWarnings {
 public:
  CWarnings(std::ostream& out, ExportSummary& summary) : m_out(out), m_summary(summary) {}

  void Say(const MonthFileEntry& file, const std::string& text) {
    m_out << "plannix-export: warning: " << file.path.filename().u8string() << ": " << text << '\n';
    ++m_summary.warnings;
  }

 private:
  std::ostream& m_out;
  ExportSummary& m_summary;
};

void ExportMonth(const MonthFileEntry& file, const MonthTable& table, CDayWriter& writer, CWarnings& warnings,
                 ExportSummary& summary) {
  DayConversionNotes notes;
  int days = DaysInMonth(file.year, file.month);
  for (int d = 1; d <= kDaysInTable; ++d) {
    if (d > days) {
      if (!IsEmpty(table.Day(d))) {
        warnings.Say(file, "day " + std::to_string(d) + " has content but the month has " + std::to_string(days) +
                               " days; it is not exported");
      }
      continue;
    }
    BookDay day = ConvertDay({file.year, file.month, d}, table.Day(d), notes);
    if (!day.HasContent()) continue;
    writer.Write(day);
    ++summary.days;
  }
  if (notes.replacedSequences > 0) {
    warnings.Say(file, std::to_string(notes.replacedSequences) +
                           " byte sequence(s) that are no cp932 text were written as U+FFFD");
  }
  std::map<SealCode, int> unnamed;
  for (SealCode code : notes.unnamedSeals) ++unnamed[code];
  for (const auto& [code, times] : unnamed) {
    warnings.Say(file, "seal code " + std::to_string(code) + " (" + std::to_string(times) +
                           " time(s)) has no name in the seal table; it is left out");
  }
}

}  // namespace

bool ExportBook(const std::filesystem::path& folder, const ExportOptions& options, std::ostream& out,
                std::ostream& warnings, ExportSummary& summary) {
  const BookTimeZone* zone = FindBookTimeZone(options.timeZone);
  if (zone == nullptr) {
    warnings << "plannix-export: unknown time zone \"" << options.timeZone << "\"\n";
    return false;
  }
  std::vector<MonthFileEntry> files;
  std::string error;
  if (!ListMonthFiles(folder, files, error)) {
    warnings << "plannix-export: " << folder.u8string() << ": " << error << '\n';
    return false;
  }
  CWarnings say(warnings, summary);
  std::unique_ptr<CDayWriter> writer = MakeWriter(options.format, out, *zone);
  writer->Begin();
  // One table for the whole book: it is 31 days of fixed fields.
  auto table = std::make_unique<MonthTable>();
  for (const MonthFileEntry& file : files) {
    YearMonth month{file.year, file.month};
    if (month.Index() < options.from.Index() || month.Index() > options.to.Index()) continue;
    std::string problem;
    if (!LoadMonthFile(file.path, *table, problem)) {
      say.Say(file, problem + "; skipped");
      continue;
    }
    if (!problem.empty()) say.Say(file, problem);
    ExportMonth(file, *table, *writer, say, summary);
    ++summary.monthFiles;
  }
  writer->End();
  return true;
}
