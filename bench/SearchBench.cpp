// The schedule search over a generated 100-year book, next to grep -F -c
// over the same files and a plain read of all their bytes.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "data/DayRecord.h"
#include "data/MonthFile.h"
#include "data/SealTable.h"
#include "search/ScheduleSearch.h"

namespace {

constexpr int kFirstYear = 1950;
constexpr int kYears = 100;

const char* const g_Phrases[] = {
    "会議",        "歯医者",          "打ち合わせ 10:00", "買い物リスト: 牛乳, 卵", "dentist 14:30",
    "誕生日",      "レポート締め切り", "電車で大阪へ",     "ジム",                   "英会話レッスン",
    "飲み会@駅前", "C:\\work\\plan",   "映画を観る",       "病院の予約",             "family dinner",
};

class CCountingSink : public CSearchSink {
 public:
  bool IsCancelled() override { return false; }
  void SendLine(const char*) override { ++m_lines; }
  long m_lines = 0;
};

std::string g_folder;  // with its trailing '/'

int DaysIn(int year, int month) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

void FillDay(DayRecord& day, std::mt19937& random) {
  auto chance = [&random](int percent) { return static_cast<int>(random() % 100) < percent; };
  auto phrase = [&random] { return g_Phrases[random() % (sizeof g_Phrases / sizeof g_Phrases[0])]; };
  for (int slot = 0; slot < kSealSlots; ++slot) {
    if (chance(slot == 0 ? 30 : 10)) day.nSeal[slot] = g_SealTable[random() % kSealTableRows].nCode;
  }
  for (int line = 0; line < kLineCount; ++line) {
    if (chance(60 - line * 12)) SetDayLine(day, line, phrase());
  }
  if (chance(25)) {
    std::string memo = phrase();
    for (int extra = random() % 4; extra > 0; --extra) memo.append("\r\n").append(phrase());
    SetDayMemo(day, memo.c_str());
  }
}

void WriteBook() {
  std::string pattern = (std::filesystem::temp_directory_path() / "plannix-bench-XXXXXX").string();
  g_folder = std::string(mkdtemp(pattern.data())) + "/";
  std::mt19937 random(20100305);
  for (int year = kFirstYear; year < kFirstYear + kYears; ++year) {
    for (int month = 1; month <= 12; ++month) {
      MonthTable table;
      ClearMonth(table);
      for (int d = 1; d <= DaysIn(year, month); ++d) FillDay(table.Day(d), random);
      char name[32];
      std::snprintf(name, sizeof name, "schedule%d_%02d.dat", year, month);
      WriteMonthFile(table, (g_folder + name).c_str(), [&] { return DaysIn(year, month); });
    }
  }
}

std::vector<std::string> ListBook() {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(g_folder)) {
    names.push_back(entry.path().filename().string());
  }
  return names;
}

void BM_Search(benchmark::State& state, int kind, const char* query) {
  long lines = 0;
  for (auto _ : state) {
    CCountingSink sink;
    RunScheduleSearch(kind, query, g_folder, ListBook, sink);
    lines = sink.m_lines;
  }
  state.counters["hits"] = static_cast<double>(lines);
}
BENCHMARK_CAPTURE(BM_Search, oneWord, 0, "歯医者")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Search, twoWords, 0, "歯医者 dentist")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Search, seal, 2, "170")->Unit(benchmark::kMillisecond);

// grep on the same words, one pattern line each; the pattern comes from a
// file so that the cp932 bytes stay clear of the shell.
void BM_GrepFixedCount(benchmark::State& state, const char* patterns) {
  const std::string patternFile = g_folder.substr(0, g_folder.size() - 1) + ".pattern";
  std::ofstream(patternFile, std::ios::binary) << patterns;
  const std::string command = "LC_ALL=C grep -F -c -r -f '" + patternFile + "' '" + g_folder + "' > /dev/null";
  for (auto _ : state) {
    // grep exits with 1 when nothing matched, above that on failure.
    int status = std::system(command.c_str());
    if (status == -1 || !WIFEXITED(status) || WEXITSTATUS(status) > 1) state.SkipWithError("grep failed");
  }
  std::filesystem::remove(patternFile);
}
BENCHMARK_CAPTURE(BM_GrepFixedCount, oneWord, "歯医者\n")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_GrepFixedCount, twoWords, "歯医者\ndentist\n")->Unit(benchmark::kMillisecond);
// The seal of bitmap 170 has code 15: grep looks for those bytes.
BENCHMARK_CAPTURE(BM_GrepFixedCount, seal, "15\n")->Unit(benchmark::kMillisecond);

void BM_PlainRead(benchmark::State& state) {
  std::vector<char> block(64 << 10);
  for (auto _ : state) {
    size_t total = 0;
    for (const std::string& name : ListBook()) {
      std::FILE* file = std::fopen((g_folder + name).c_str(), "rb");
      if (file == nullptr) continue;
      for (size_t got; (got = std::fread(block.data(), 1, block.size(), file)) > 0;) total += got;
      std::fclose(file);
    }
    benchmark::DoNotOptimize(total);
  }
}
BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond);

// Keeps each run's time so that the ratios can be printed at the end.
class CRatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) m_times[run.benchmark_name()] = run.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }

  void PrintRatios() const {
    auto read = m_times.find("BM_PlainRead");
    if (read == m_times.end()) return;
    std::printf(
        "\nsearch time / grep -F -c time on the same words (goal <= 1, stretch <= 0.6), "
        "search time / plain read time (goal <= 3):\n");
    const std::string searchPrefix = "BM_Search/";
    for (const auto& [name, time] : m_times) {
      if (name.rfind(searchPrefix, 0) != 0) continue;
      auto grep = m_times.find("BM_GrepFixedCount/" + name.substr(searchPrefix.size()));
      if (grep == m_times.end()) continue;
      std::printf("  %-22s %5.2f  %5.2f\n", name.c_str(), time / grep->second, time / read->second);
    }
  }

 private:
  std::map<std::string, double> m_times;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  WriteBook();
  CRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatios();
  std::filesystem::remove_all(g_folder);
  benchmark::Shutdown();
  return 0;
}
