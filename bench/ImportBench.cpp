// Import of generated calendars of 30 MB and 190 MB, in the shapes that
// calendar services export: timed events in UTC, events in a zone of the
// file's VTIMEZONE, all-day events, weekly rules. Prints the time and the
// peak of the heap the import takes (peak_heap_MB, and its ratio to the
// file's size, heap_vs_file); the goal for 30 MB is a small multiple.
// Each is imported whole, and the 190 MB one also over two years, as a user
// may narrow so large a calendar.
//
//   ImportBench --write MEGABYTES FILE   writes such a calendar and exits,
//   for the 32-bit build under Wine:
//   scripts/wine-run build/win32/bin/plannix-import.exe --from 2026-01 --to 2027-12 FILE FOLDER
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <stdlib.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <new>
#include <random>
#include <streambuf>
#include <string>

#include "import/BookImport.h"

namespace {

std::atomic<size_t> g_HeapInUse{0};
std::atomic<size_t> g_HeapPeak{0};

// Out of line: the compiler then does not pair the free with the new it cannot see.
__attribute__((noinline)) void* CountedAllocation(size_t size) {
  void* block = std::malloc(size == 0 ? 1 : size);
  if (block == nullptr) return nullptr;
  size_t now = g_HeapInUse += malloc_usable_size(block);
  size_t peak = g_HeapPeak.load();
  while (now > peak && !g_HeapPeak.compare_exchange_weak(peak, now)) {
  }
  return block;
}

__attribute__((noinline)) void CountedRelease(void* block) {
  g_HeapInUse -= malloc_usable_size(block);
  std::free(block);
}

}  // namespace

// The heap counted as the import takes it: the peak is what memory it needs.
void* operator new(size_t size) {
  void* block = CountedAllocation(size);
  if (block == nullptr) throw std::bad_alloc();
  return block;
}

void operator delete(void* block) noexcept {
  if (block != nullptr) CountedRelease(block);
}

void operator delete(void* block, size_t) noexcept { operator delete(block); }

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kFirstYear = 1990;
constexpr int kYears = 50;

const char* const g_Titles[] = {
    u8"朝会",      u8"定例ミーティング",     u8"歯医者",
    u8"出張 大阪", u8"Project review",       u8"1on1",
    u8"ランチ",    u8"飛行機 NH123",         u8"Call with New York",
    u8"誕生日",    u8"振り返り, 来期の計画", u8"ジム",
};

const char kNewYork[] =
    "BEGIN:VTIMEZONE\r\nTZID:America/New_York\r\n"
    "BEGIN:DAYLIGHT\r\nTZOFFSETFROM:-0500\r\nTZOFFSETTO:-0400\r\nDTSTART:19700308T020000\r\n"
    "RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=2SU\r\nEND:DAYLIGHT\r\n"
    "BEGIN:STANDARD\r\nTZOFFSETFROM:-0400\r\nTZOFFSETTO:-0500\r\nDTSTART:19701101T020000\r\n"
    "RRULE:FREQ=YEARLY;BYMONTH=11;BYDAY=1SU\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n";

// A calendar of about megabytes MB.
void WriteCalendar(const std::string& path, int megabytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Plannix//ImportBench//EN\r\n" << kNewYork;
  std::mt19937 random(20261224);
  const long long target = static_cast<long long>(megabytes) * 1000 * 1000;
  char event[1024];
  for (long long number = 0; out.tellp() < target; ++number) {
    int year = kFirstYear + static_cast<int>(random() % kYears);
    int month = 1 + static_cast<int>(random() % 12);
    int day = 1 + static_cast<int>(random() % 28);
    int hour = static_cast<int>(random() % 24);
    int minute = static_cast<int>(random() % 4) * 15;
    const char* title = g_Titles[random() % (sizeof g_Titles / sizeof g_Titles[0])];
    char when[160];
    switch (random() % 10) {
      case 0:
        std::snprintf(when, sizeof when, "DTSTART;VALUE=DATE:%04d%02d%02d\r\n", year, month, day);
        break;
      case 1:
        std::snprintf(when, sizeof when,
                      "DTSTART;TZID=America/New_York:%04d%02d%02dT%02d%02d00\r\nRRULE:FREQ=WEEKLY;COUNT=%d\r\n", year,
                      month, day, hour, minute, 2 + static_cast<int>(random() % 8));
        break;
      case 2:
        std::snprintf(when, sizeof when, "DTSTART;TZID=America/New_York:%04d%02d%02dT%02d%02d00\r\n", year, month, day,
                      hour, minute);
        break;
      default:
        std::snprintf(when, sizeof when, "DTSTART:%04d%02d%02dT%02d%02d00Z\r\nDTEND:%04d%02d%02dT%02d%02d00Z\r\n", year,
                      month, day, hour, minute, year, month, day, hour, minute);
    }
    std::snprintf(
        event, sizeof event,
        "BEGIN:VEVENT\r\nUID:%lld@bench.example\r\nDTSTAMP:20261201T000000Z\r\n%sSUMMARY:%s\r\nEND:VEVENT\r\n", number,
        when, title);
    out << event;
  }
  out << "END:VCALENDAR\r\n";
}

// Keeps nothing of the report: the import's own work is measured.
class CNullBuffer : public std::streambuf {
 protected:
  int_type overflow(int_type c) override { return traits_type::not_eof(c); }
  std::streamsize xsputn(const char*, std::streamsize count) override { return count; }
};

class CScratch {
 public:
  CScratch() {
    std::string pattern = (std::filesystem::temp_directory_path() / "plannix-import-bench-XXXXXX").string();
    m_folder = mkdtemp(pattern.data()) ? pattern : std::string();
  }
  ~CScratch() {
    std::error_code ignored;
    if (!m_folder.empty()) std::filesystem::remove_all(m_folder, ignored);
  }
  CScratch(const CScratch&) = delete;
  CScratch& operator=(const CScratch&) = delete;

  const std::string& Folder() const { return m_folder; }

 private:
  std::string m_folder;
};

// One calendar of each size for every benchmark of it.
const std::string& CalendarOf(int megabytes) {
  static CScratch scratch;
  static std::map<int, std::string> written;
  auto found = written.find(megabytes);
  if (found != written.end()) return found->second;
  std::string path = scratch.Folder() + "/calendar" + std::to_string(megabytes) + ".ics";
  WriteCalendar(path, megabytes);
  return written[megabytes] = path;
}

void ImportGenerated(benchmark::State& state, int megabytes, bool twoYears) {
  CScratch scratch;
  const std::string& calendarPath = CalendarOf(megabytes);
  const double fileBytes = static_cast<double>(std::filesystem::file_size(calendarPath));
  ImportOptions options;
  if (twoYears) {
    options.from = {2026, 1};
    options.to = {2027, 12};
  }
  options.endlessUntil = options.to;
  size_t peak = 0;
  ImportSummary summary;
  for (auto _ : state) {
    const std::string book = scratch.Folder() + "/book" + std::to_string(state.iterations());
    std::filesystem::create_directory(book);
    std::ifstream calendar(calendarPath, std::ios::binary);
    CNullBuffer nothing;
    std::ostream report(&nothing);
    std::string error;
    const size_t before = g_HeapInUse;
    g_HeapPeak = before;
    Clock::time_point start = Clock::now();
    bool imported = ImportCalendar(calendar, book, options, report, summary, error);
    state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    peak = std::max(peak, g_HeapPeak - before);
    if (!imported) state.SkipWithError(error.c_str());
    std::error_code ignored;
    std::filesystem::remove_all(book, ignored);
  }
  state.counters["file_MB"] = fileBytes / 1e6;
  state.counters["peak_heap_MB"] = static_cast<double>(peak) / 1e6;
  state.counters["heap_vs_file"] = static_cast<double>(peak) / fileBytes;
  state.counters["entries_added"] = summary.Added();
}

void BM_Import30MegabytesWhole(benchmark::State& state) { ImportGenerated(state, 30, false); }
void BM_Import190MegabytesWhole(benchmark::State& state) { ImportGenerated(state, 190, false); }
void BM_Import190MegabytesTwoYears(benchmark::State& state) { ImportGenerated(state, 190, true); }

BENCHMARK(BM_Import30MegabytesWhole)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_Import190MegabytesWhole)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Import190MegabytesTwoYears)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "--write") == 0) {
    WriteCalendar(argv[3], std::atoi(argv[2]));
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
