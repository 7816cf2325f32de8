#include "repeat/RepeatRun.h"

#include <exception>

#include "book/BookMonths.h"
#include "book/MonthSession.h"

CRepeatRun::CRepeatRun(IFileSystem& files, CMonthSession& session) : m_files(files), m_session(session) {}

CRepeatRun::~CRepeatRun() {
  Stop();
  if (m_thread.joinable()) m_thread.join();
}

bool CRepeatRun::Start(RepeatJob job, std::function<void()> ended) {
  if (HasRun()) return false;
  m_ended = false;
  m_stop = false;
  m_done = 0;
  m_total = 0;
  m_removal = job.removal;
  m_outcome = RepeatOutcome();
  m_thread = std::thread([this, job = std::move(job), ended = std::move(ended)] {
    try {
      // What was typed is in its file first, so that a line typed into
      // another box of a day is found there, not repeated beside itself.
      m_session.Save();
      CFolderMonths folder(m_files, job.folder);
      CSessionMonths months(m_session, folder);
      const RepeatProgress progress = [this](size_t done, size_t total) {
        m_total = total;
        m_done = done;
      };
      m_outcome = job.removal ? RemoveLineFromDays(job.days, job.line, months, progress, &m_stop)
                              : WriteRepeatedLine(job.days, job.line, months, progress, &m_stop);
    } catch (const std::exception&) {
      // Each month is whole or as it was; the outcome names those it reached.
    }
    m_ended = true;
    if (ended) ended();
  });
  return true;
}

void CRepeatRun::Progress(size_t& done, size_t& total) const {
  done = m_done;
  total = m_total;
}

RepeatOutcome CRepeatRun::Finish(bool& removal) {
  if (m_thread.joinable()) m_thread.join();
  removal = m_removal;
  return std::move(m_outcome);
}
