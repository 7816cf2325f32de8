// Export of a generated 100-year book to iCalendar and CSV, next to reading
// the same month files with the plug-in's reader. The counter
// speed_vs_read is read time / export time: the export converts and
// writes everything it reads, so it should stay above 0.25.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <streambuf>
#include <string>
#include <vector>

#include "calendar/CalendarFacts.h"
#include "data/MonthFile.h"
#include "data/SealTable.h"
#include "export/BookDay.h"
#include "export/BookExport.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kFirstYear = 1950;
constexpr int kYears = 100;

// Two of them begin with a time of day, as the entries of timed events do.
const char* const g_Phrases[] = {
    "会議",           "歯医者",  "買い物: 牛乳, 卵", "dentist 14:30", "ﾚﾎﾟｰﾄ締め切り", "10:00 打ち合わせ",
    "C:\\work\\plan", "誕生日♪", "電車で大阪へ～",   "ジム; 30分",    "family dinner", "18:30-21:00 送別会",
};

// Counts what it is given and keeps nothing: the export's own work is measured, not a disk's.
class CCountingBuffer : public std::streambuf {
 public:
  std::streamsize m_bytes = 0;

 protected:
  int_type overflow(int_type c) override {
    ++m_bytes;
    return traits_type::not_eof(c);
  }
  std::streamsize xsputn(const char*, std::streamsize count) override {
    m_bytes += count;
    return count;
  }
};

class CBook {
 public:
  CBook() {
    std::string pattern = (std::filesystem::temp_directory_path() / "plannix-export-bench-XXXXXX").string();
    m_folder = mkdtemp(pattern.data()) ? pattern : std::string();
    std::mt19937 random(20100305);
    for (int year = kFirstYear; year < kFirstYear + kYears; ++year) {
      for (int month = 1; month <= 12; ++month) WriteMonth(year, month, random);
    }
  }
  ~CBook() {
    std::error_code ignored;
    if (!m_folder.empty()) std::filesystem::remove_all(m_folder, ignored);
  }
  CBook(const CBook&) = delete;
  CBook& operator=(const CBook&) = delete;

  const std::string& Folder() const { return m_folder; }
  const std::vector<std::string>& Paths() const { return m_paths; }

 private:
  void WriteMonth(int year, int month, std::mt19937& random) {
    MonthTable table;
    ClearMonth(table);
    auto chance = [&random](unsigned percent) { return random() % 100 < percent; };
    auto phrase = [&random] { return g_Phrases[random() % (sizeof g_Phrases / sizeof g_Phrases[0])]; };
    for (int d = 1; d <= DaysInMonth(year, month); ++d) {
      DayRecord& day = table.Day(d);
      if (chance(30)) day.nSeal[0] = g_SealTable[random() % kSealTableRows].nCode;
      for (int line = 0; line < kLineCount; ++line) {
        if (chance(60 - line * 12)) SetDayLine(day, line, phrase());
      }
      if (chance(25)) SetDayMemo(day, (std::string(phrase()) + "\r\n" + phrase()).c_str());
    }
    char name[32];
    std::snprintf(name, sizeof name, "/schedule%d_%02d.dat", year, month);
    m_paths.push_back(m_folder + name);
    WriteMonthFile(table, m_paths.back().c_str(), [&] { return DaysInMonth(year, month); });
  }

  std::string m_folder;
  std::vector<std::string> m_paths;
};

const CBook& Book() {
  static CBook book;
  return book;
}

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

void ExportNextToReading(benchmark::State& state, ExportFormat format) {
  const CBook& book = Book();
  ExportOptions options;
  options.format = format;
  double exporting = 0;
  double reading = 0;
  std::streamsize bytes = 0;
  for (auto _ : state) {
    Clock::time_point start = Clock::now();
    MonthTable table;
    for (const std::string& path : book.Paths()) benchmark::DoNotOptimize(ReadMonthFile(table, path.c_str()));
    Clock::time_point middle = Clock::now();
    CCountingBuffer counter;
    std::ostream out(&counter);
    CCountingBuffer warningCounter;
    std::ostream warnings(&warningCounter);
    ExportSummary summary;
    benchmark::DoNotOptimize(ExportBook(book.Folder(), options, out, warnings, summary));
    Clock::time_point end = Clock::now();
    reading += Seconds(middle - start);
    exporting += Seconds(end - middle);
    bytes = counter.m_bytes;
    state.SetIterationTime(Seconds(end - middle));
    if (warningCounter.m_bytes != 0) state.SkipWithError("the generated book gave warnings");
  }
  state.counters["speed_vs_read"] = reading / exporting;
  state.counters["output_MB"] = static_cast<double>(bytes) / 1e6;
}

void BM_ExportICalendar100Years(benchmark::State& state) { ExportNextToReading(state, ExportFormat::kICalendar); }
void BM_ExportCsv100Years(benchmark::State& state) { ExportNextToReading(state, ExportFormat::kCsv); }

BENCHMARK(BM_ExportICalendar100Years)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportCsv100Years)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
