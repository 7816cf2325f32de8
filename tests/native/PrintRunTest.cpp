// A print job's page loop: what reaches the printer when everything goes
// well, when a page fails, when the user cancels; the job on a thread; and
// what the user may choose to print.
#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <string>

#include "print/PrintChoice.h"
#include "print/PrintRun.h"

namespace {

class CRecordingJob : public IPrintJob {
 public:
  bool opens = true;
  size_t pages = 3;
  bool starts = true;
  int failingPage = -1;  // index
  bool ends = true;
  std::string calls;
  // Set before this page's call: the user cancels while it is sent.
  int cancelDuring = -1;
  std::atomic<bool>* cancelled = nullptr;

  bool Open() override { return Note("open", opens); }
  size_t PageCount() const override { return pages; }
  bool StartDocument() override { return Note("start", starts); }
  bool PrintPage(size_t index) override {
    if (static_cast<int>(index) == cancelDuring && cancelled != nullptr) *cancelled = true;
    return Note("page" + std::to_string(index), static_cast<int>(index) != failingPage);
  }
  bool EndDocument() override { return Note("end", ends); }
  void AbortDocument() override { Note("abort", true); }

 private:
  bool Note(const std::string& call, bool result) {
    calls += (calls.empty() ? "" : " ") + call;
    return result;
  }
};

struct RunCase {
  const char* name;
  void (*set)(CRecordingJob& job);
  PrintOutcome outcome;
  size_t printed;
  size_t failedPage;
  const char* calls;
};

TEST(PrintRunTest, WhatReachesThePrinter) {
  const RunCase cases[] = {
      {"printed", [](CRecordingJob&) {}, PrintOutcome::kPrinted, 3, 0, "open start page0 page1 page2 end"},
      {"a page fails: aborted, nothing ends", [](CRecordingJob& job) { job.failingPage = 1; }, PrintOutcome::kFailed,
       1, 2, "open start page0 page1 abort"},
      {"the document's end fails", [](CRecordingJob& job) { job.ends = false; }, PrintOutcome::kFailed, 3, 0,
       "open start page0 page1 page2 end abort"},
      {"the document cannot begin", [](CRecordingJob& job) { job.starts = false; }, PrintOutcome::kFailed, 0, 0,
       "open start"},
      {"the printer cannot be opened", [](CRecordingJob& job) { job.opens = false; }, PrintOutcome::kCannotOpen, 0, 0,
       "open"},
      {"no pages: no document", [](CRecordingJob& job) { job.pages = 0; }, PrintOutcome::kNothing, 0, 0, "open"},
      {"cancelled while page 1 is sent", [](CRecordingJob& job) { job.cancelDuring = 1; }, PrintOutcome::kCancelled,
       2, 0, "open start page0 page1 abort"},
      {"cancelled during the last page still prints", [](CRecordingJob& job) { job.cancelDuring = 2; },
       PrintOutcome::kPrinted, 3, 0, "open start page0 page1 page2 end"},
  };
  for (const RunCase& c : cases) {
    SCOPED_TRACE(c.name);
    CRecordingJob job;
    std::atomic<bool> cancelled{false};
    job.cancelled = &cancelled;
    c.set(job);
    std::string progress;
    const PrintResult result = RunPrintJob(job, cancelled, [&](size_t printed, size_t pages) {
      progress += std::to_string(printed) + "/" + std::to_string(pages) + " ";
    });
    EXPECT_EQ(result.outcome, c.outcome);
    EXPECT_EQ(result.printed, c.printed);
    EXPECT_EQ(result.failedPage, c.failedPage);
    EXPECT_EQ(job.calls, c.calls);
    if (c.outcome == PrintOutcome::kPrinted) {
      EXPECT_EQ(progress, "0/3 1/3 2/3 3/3 ");
    }
  }
}

// A job that waits in its first page until it is let go.
class CHeldJob : public CRecordingJob {
 public:
  bool PrintPage(size_t index) override {
    std::unique_lock<std::mutex> lock(m_lock);
    m_inPage = true;
    m_changed.notify_all();
    m_changed.wait(lock, [this] { return m_released; });
    return CRecordingJob::PrintPage(index);
  }
  void WaitInPage() {
    std::unique_lock<std::mutex> lock(m_lock);
    m_changed.wait(lock, [this] { return m_inPage; });
  }
  void Release() {
    std::lock_guard<std::mutex> lock(m_lock);
    m_released = true;
    m_changed.notify_all();
  }

 private:
  std::mutex m_lock;
  std::condition_variable m_changed;
  bool m_inPage = false;
  bool m_released = false;
};

TEST(PrintRunTest, OnItsOwnThreadCancelledBetweenPages) {
  auto owned = std::make_unique<CHeldJob>();
  CHeldJob& job = *owned;
  CPrintRun run;
  std::atomic<int> ended{0};
  ASSERT_TRUE(run.Start(std::move(owned), [&] { ++ended; }));
  EXPECT_FALSE(run.Start(std::make_unique<CRecordingJob>(), nullptr)) << "one job at a time";
  job.WaitInPage();
  EXPECT_TRUE(run.IsRunning());
  size_t printed = 9;
  size_t pages = 0;
  run.Progress(printed, pages);
  EXPECT_EQ(printed, 0u);
  EXPECT_EQ(pages, 3u);
  run.Cancel();
  job.Release();
  const PrintResult result = run.Finish();
  EXPECT_EQ(result.outcome, PrintOutcome::kCancelled);
  EXPECT_EQ(ended, 1);
  EXPECT_FALSE(run.HasRun());
  EXPECT_TRUE(run.Start(std::make_unique<CRecordingJob>(), nullptr)) << "the next job may begin";
  EXPECT_EQ(run.Finish().outcome, PrintOutcome::kPrinted);
}

struct ChoiceCase {
  const char* name;
  PrintChoice choice;
  bool accepted;
};

TEST(PrintRunTest, WhatMayBeChosen) {
  PrintChoice diary = DefaultPrintChoice(2026, 12);
  diary.kind = PrintKind::kDiary;
  diary.wholeMonth = false;
  auto range = [&](CalendarDate from, CalendarDate to) {
    PrintChoice choice = diary;
    choice.from = from;
    choice.to = to;
    return choice;
  };
  const ChoiceCase cases[] = {
      {"the month", DefaultPrintChoice(2026, 12), true},
      {"the month, whatever the range says", [] {
         PrintChoice c = DefaultPrintChoice(2026, 12);
         c.from = {2026, 2, 30};
         return c;
       }(), true},
      {"one day", range({2026, 12, 24}, {2026, 12, 24}), true},
      {"ten years", range({2026, 1, 1}, {2035, 12, 31}), true},
      {"more than ten years", range({2026, 1, 1}, {2036, 1, 2}), false},
      {"the end before the beginning", range({2026, 12, 24}, {2026, 12, 23}), false},
      {"30 February", range({2026, 2, 30}, {2026, 3, 1}), false},
      {"no date", range({}, {}), false},
  };
  for (const ChoiceCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(CheckPrintChoice(c.choice, 2026, 12).empty(), c.accepted);
  }
  CalendarDate from;
  CalendarDate to;
  DiaryRange(DefaultPrintChoice(2028, 2), 2028, 2, from, to);
  EXPECT_EQ(to.day, 29) << "the month on display, leap day included";
}

}  // namespace
