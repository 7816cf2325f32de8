// The calendar sync against the CalDAV server in memory: a first sync of a
// book of 5,000 lines, and a sync where nothing changed (its requests are
// counted: one sync-collection REPORT is the design). The goals, under Wine
// against a local Radicale, are a minute and a second; here the server costs
// nothing, so what is left is the sync's own work and its disk.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "book/BookMonths.h"
#include "calendar/CalendarFacts.h"
#include "calendar/DayNumber.h"
#include "data/FileSystem.h"
#include "import/MonthFileAccess.h"
#include "sync/SyncRun.h"
#include "sync/SyncState.h"
#include "tests/native/MonthFileScratch.h"
#include "tests/support/FakeCalDavServer.h"
#include "tests/support/LibXmlReader.h"

namespace {

constexpr int kLines = 5000;

// 5,000 lines from a month back on, five a day, timed and all-day ones.
void WriteBook(const std::string& folder) {
  std::filesystem::create_directories(folder);
  int written = 0;
  for (int dayNumber = DayNumberOf(2026, 11, 9); written < kLines; ++dayNumber) {
    const CalendarDate date = DateOfDayNumber(dayNumber);
    ChangeMonthFile(SystemFileSystem(), MonthFilePathIn(folder, date.year, date.month), date.year, date.month, true,
                    [&](MonthTable& table) {
                      for (int line = 0; line < kLineCount && written < kLines; ++line, ++written) {
                        char text[64];
                        std::snprintf(text, sizeof text, line % 2 == 0 ? "%d:30 Meeting %d" : "Errand %d %d", 9 + line,
                                      written);
                        SetDayLine(table.Day(date.day), line, text);
                      }
                      return true;
                    });
  }
}

struct SyncSetup {
  CMonthFileScratch scratch;
  CFakeCalDavServer server;
  SyncSettings settings;
  SyncClock clock;
  std::unique_ptr<CFolderMonths> book;
  std::string statePath;

  SyncSetup() {
    WriteBook(scratch.Path("Plannix"));
    std::filesystem::create_directories(scratch.Path("pc"));
    book = std::make_unique<CFolderMonths>(SystemFileSystem(), scratch.Path("Plannix"));
    settings.calendarUrl = std::string(CFakeCalDavServer::kOrigin) + CFakeCalDavServer::kCalendar;
    statePath = SyncStatePath(scratch.Path("pc"), settings.calendarUrl, scratch.Path("Plannix"));
    clock.todayDayNumber = DayNumberOf(2026, 12, 9);
    clock.utcSeconds = 1796778000;
  }
  SyncOutcome Run() {
    SyncContext context{server, LibXmlReaderFactory(), *book, SystemFileSystem(), scratch.Path("Plannix"), statePath,
                        "bench"};
    return RunSync(settings, context, clock);
  }
};

void FirstSyncOf5000Lines(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto setup = std::make_unique<SyncSetup>();
    state.ResumeTiming();
    const SyncOutcome outcome = setup->Run();
    state.counters["sent"] = outcome.counts.sentNew;
    state.counters["requests"] = outcome.counts.requests;
    if (outcome.counts.sentNew != kLines) state.SkipWithError("not every line was sent");
    state.PauseTiming();
    setup.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(FirstSyncOf5000Lines)->Unit(benchmark::kMillisecond)->Iterations(3);

void SyncWithNothingChanged(benchmark::State& state) {
  SyncSetup setup;
  setup.Run();
  for (auto _ : state) {
    const SyncOutcome outcome = setup.Run();
    state.counters["requests"] = outcome.counts.requests;
    if (outcome.result != SyncResult::kDone || outcome.counts.requests != 1) state.SkipWithError("not one request");
  }
}
BENCHMARK(SyncWithNothingChanged)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
