#include "print/PrintRun.h"

#include <exception>

PrintResult RunPrintJob(IPrintJob& job, const std::atomic<bool>& cancelled, const PrintProgress& progress) {
  PrintResult result;
  if (!job.Open()) {
    result.outcome = PrintOutcome::kCannotOpen;
    return result;
  }
  result.pages = job.PageCount();
  if (result.pages == 0) {
    result.outcome = PrintOutcome::kNothing;
    return result;
  }
  if (progress) progress(0, result.pages);
  if (cancelled) {
    result.outcome = PrintOutcome::kCancelled;
    return result;
  }
  if (!job.StartDocument()) return result;
  for (size_t page = 0; page < result.pages; ++page) {
    if (cancelled) {
      job.AbortDocument();
      result.outcome = PrintOutcome::kCancelled;
      return result;
    }
    if (!job.PrintPage(page)) {
      job.AbortDocument();
      result.failedPage = page + 1;
      return result;
    }
    result.printed = page + 1;
    if (progress) progress(result.printed, result.pages);
  }
  if (!job.EndDocument()) {
    job.AbortDocument();
    return result;
  }
  result.outcome = PrintOutcome::kPrinted;
  return result;
}

CPrintRun::~CPrintRun() {
  Cancel();
  if (m_thread.joinable()) m_thread.join();
}

bool CPrintRun::Start(std::unique_ptr<IPrintJob> job, std::function<void()> ended) {
  if (HasRun() || job == nullptr) return false;
  m_cancelled = false;
  m_ended = false;
  m_printed = 0;
  m_pages = 0;
  m_result = PrintResult();
  m_thread = std::thread([this, job = std::move(job), ended = std::move(ended)] {
    try {
      m_result = RunPrintJob(*job, m_cancelled, [this](size_t printed, size_t pages) {
        m_pages = pages;
        m_printed = printed;
      });
    } catch (const std::exception&) {
      // An exhausted heap while a page was drawn: the document is aborted below.
      job->AbortDocument();
      m_result.outcome = PrintOutcome::kFailed;
    }
    m_ended = true;
    if (ended) ended();
  });
  return true;
}

void CPrintRun::Progress(size_t& printed, size_t& pages) const {
  printed = m_printed;
  pages = m_pages;
}

PrintResult CPrintRun::Finish() {
  if (m_thread.joinable()) m_thread.join();
  return m_result;
}
