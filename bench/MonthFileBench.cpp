// Reading and writing a month file against moving the same bytes raw.
// The counter speed_vs_raw is raw time / our time: reading should stay at
// 0.25 or above.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <chrono>
#include <climits>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "data/FileSystem.h"
#include "data/MonthFile.h"
#include "data/MonthFileParser.h"

namespace {

using Clock = std::chrono::steady_clock;

MonthTable FullMonth() {
  MonthTable table;
  ClearMonth(table);
  for (DayRecord& day : table.days) {
    for (SealCode& code : day.nSeal) code = INT_MIN;
    for (int line = 0; line < kLineCount; ++line) SetDayLine(day, line, std::string(200, ',').c_str());
    SetDayMemo(day, std::string(300, '\\').c_str());
  }
  return table;
}

MonthTable TypicalMonth() {
  MonthTable table;
  ClearMonth(table);
  for (int d = 1; d <= kDaysInTable; d += 3) {
    DayRecord& day = table.Day(d);
    day.nSeal[0] = 6;
    SetDayLine(day, 0, "10:00 \x89\xEF\x8B\x63");  // 会議
    SetDayLine(day, 1, "lunch with A, B");
    SetDayMemo(day, "\x83\x81\x83\x82\r\nbring the report");
  }
  return table;
}

std::string Folder() {
  static std::string folder = [] {
    char name[] = "/tmp/plannix-bench-XXXXXX";
    return std::string(mkdtemp(name) ? name : "/tmp");
  }();
  return folder;
}

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

size_t RawRead(const char* path) {
  std::FILE* file = OpenFileForReading(path);
  char block[kReadBlockSize];
  size_t total = 0;
  size_t got;
  while ((got = std::fread(block, 1, sizeof block, file)) > 0) total += got;
  std::fclose(file);
  return total;
}

// The same file steps as the writer's: a temporary file, flushed, moved in place.
void RawWrite(const char* temporary, const char* path, const std::string& bytes) {
  IFileSystem& files = SystemFileSystem();
  FileCreateOutcome created;
  std::unique_ptr<IFile> file = files.CreateNew(temporary, created);
  if (file == nullptr) return;
  file->Write(bytes.data(), bytes.size());
  file->FlushAndClose();
  files.Replace(temporary, path);
}

void ReadMonth(benchmark::State& state, const MonthTable& month) {
  std::string path = Folder() + "/read.dat";
  WriteMonthFile(month, path.c_str(), [] { return kDaysInTable; });
  MonthTable table;
  double ours = 0;
  double raw = 0;
  for (auto _ : state) {
    Clock::time_point start = Clock::now();
    benchmark::DoNotOptimize(RawRead(path.c_str()));
    Clock::time_point middle = Clock::now();
    benchmark::DoNotOptimize(ReadMonthFile(table, path.c_str()));
    Clock::time_point end = Clock::now();
    raw += Seconds(middle - start);
    ours += Seconds(end - middle);
    state.SetIterationTime(Seconds(end - middle));
  }
  state.counters["speed_vs_raw"] = raw / ours;
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * RawRead(path.c_str())));
}

void WriteMonth(benchmark::State& state, const MonthTable& month) {
  std::string path = Folder() + "/write.dat";
  std::string rawPath = Folder() + "/raw.dat";
  std::string rawTemporary = Folder() + "/raw.tmp";
  WriteMonthFile(month, path.c_str(), [] { return kDaysInTable; });
  std::FILE* file = OpenFileForReading(path.c_str());
  std::string bytes(RawRead(path.c_str()), '\0');
  benchmark::DoNotOptimize(std::fread(&bytes[0], 1, bytes.size(), file));
  std::fclose(file);
  double ours = 0;
  double raw = 0;
  for (auto _ : state) {
    Clock::time_point start = Clock::now();
    RawWrite(rawTemporary.c_str(), rawPath.c_str(), bytes);
    Clock::time_point middle = Clock::now();
    benchmark::DoNotOptimize(WriteMonthFile(month, path.c_str(), [] { return kDaysInTable; }));
    Clock::time_point end = Clock::now();
    raw += Seconds(middle - start);
    ours += Seconds(end - middle);
    state.SetIterationTime(Seconds(end - middle));
  }
  state.counters["speed_vs_raw"] = raw / ours;
}

void BM_ReadFullMonth(benchmark::State& state) { ReadMonth(state, FullMonth()); }
void BM_ReadTypicalMonth(benchmark::State& state) { ReadMonth(state, TypicalMonth()); }
void BM_WriteFullMonth(benchmark::State& state) { WriteMonth(state, FullMonth()); }
void BM_WriteTypicalMonth(benchmark::State& state) { WriteMonth(state, TypicalMonth()); }

// Parsing alone, from memory: the part of reading that is ours.
void BM_ParseFullMonthBytes(benchmark::State& state) {
  std::string path = Folder() + "/parse.dat";
  WriteMonthFile(FullMonth(), path.c_str(), [] { return kDaysInTable; });
  std::string bytes(RawRead(path.c_str()), '\0');
  std::FILE* file = OpenFileForReading(path.c_str());
  benchmark::DoNotOptimize(std::fread(&bytes[0], 1, bytes.size(), file));
  std::fclose(file);
  MonthTable table;
  for (auto _ : state) {
    ParseMonthBytes(table, bytes.data(), bytes.size());
    benchmark::DoNotOptimize(table);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}

BENCHMARK(BM_ReadFullMonth)->UseManualTime();
BENCHMARK(BM_ReadTypicalMonth)->UseManualTime();
BENCHMARK(BM_WriteFullMonth)->UseManualTime();
BENCHMARK(BM_WriteTypicalMonth)->UseManualTime();
BENCHMARK(BM_ParseFullMonthBytes);

}  // namespace

BENCHMARK_MAIN();
