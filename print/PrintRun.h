#pragma once
// A print job's pages sent to the printer on a thread of its own, so that
// the window goes on answering; cancelled between two pages, and aborted
// whole on a failure or a cancel, so that nothing half printed comes out.
#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>
#include <thread>

// One document on one printer, as the print thread drives it.
class IPrintJob {
 public:
  virtual ~IPrintJob() = default;
  // Opens the printer and lays the document out for it.
  virtual bool Open() = 0;
  virtual size_t PageCount() const = 0;
  virtual bool StartDocument() = 0;
  // The whole page: begun, drawn and ended; index from 0.
  virtual bool PrintPage(size_t index) = 0;
  virtual bool EndDocument() = 0;
  // Nothing of a document begun comes out.
  virtual void AbortDocument() = 0;
};

enum class PrintOutcome {
  kPrinted,
  kCancelled,   // aborted: nothing comes out
  kNothing,     // no page to print: no document begun
  kCannotOpen,  // the printer could not be opened
  kFailed,      // the printer failed: aborted
};

struct PrintResult {
  PrintOutcome outcome = PrintOutcome::kFailed;
  size_t pages = 0;       // of the document
  size_t printed = 0;     // pages sent before the end
  size_t failedPage = 0;  // 1-based; 0 when the document's beginning or end failed
};

using PrintProgress = std::function<void(size_t printed, size_t pages)>;

// The job on the calling thread; cancelled is looked at before each page.
PrintResult RunPrintJob(IPrintJob& job, const std::atomic<bool>& cancelled, const PrintProgress& progress);

class CPrintRun {
 public:
  CPrintRun() = default;
  // A run still going is cancelled and waited for.
  ~CPrintRun();
  CPrintRun(const CPrintRun&) = delete;
  CPrintRun& operator=(const CPrintRun&) = delete;

  // False while another runs or its result is not taken yet. ended is
  // called on the run's thread once the result is there; it must not wait.
  bool Start(std::unique_ptr<IPrintJob> job, std::function<void()> ended);
  void Cancel() { m_cancelled = true; }
  bool IsRunning() const { return m_thread.joinable() && !m_ended; }
  // A run began whose result is not taken yet.
  bool HasRun() const { return m_thread.joinable(); }
  // Pages sent of all, for a progress bar; 0 of 0 while the job is laid out.
  void Progress(size_t& printed, size_t& pages) const;
  // The result, once the run ended; the thread is gone afterwards.
  PrintResult Finish();

 private:
  std::thread m_thread;
  std::atomic<bool> m_cancelled{false};
  std::atomic<bool> m_ended{false};
  std::atomic<size_t> m_printed{0};
  std::atomic<size_t> m_pages{0};
  PrintResult m_result;  // the run's until it ended
};
