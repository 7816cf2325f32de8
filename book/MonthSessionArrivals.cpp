// The month file seen from outside the session: what arrives in it from
// another PC or another host is taken in, and the conflict copies sync
// clients leave beside it are folded into their months; what of another
// version found no place is kept as a file and the user is told.
#include <cstring>

#include "book/MonthSession.h"
#include "calendar/CalendarFacts.h"
#include "data/ConflictCopies.h"
#include "data/MergingWrite.h"
#include "data/MonthFileWriter.h"

namespace {

// The month file's folder: the path up to its name.
std::string FolderOf(const char* path) {
  const size_t length = strnlen(path, kPathSize);
  const size_t nameStart = MonthFileNameStart(path, length);
  return nameStart > 1 ? std::string(path, nameStart - 1) : std::string();
}

}  // namespace

void CMonthSession::SetArrivalListener(std::function<void()> listener) {
  std::lock_guard<std::mutex> lock(m_monthLock);
  m_onArrival = std::move(listener);
}

void CMonthSession::SetKeptCopyListener(std::function<void()> listener) {
  std::lock_guard<std::mutex> lock(m_monthLock);
  m_onKeptCopy = std::move(listener);
}

void CMonthSession::Tell(const std::function<void()>& listener) {
  if (listener) listener();
}

void CMonthSession::NoteKeptCopy(int32_t year, int32_t month, DayMask days, const std::string& path) {
  KeptCopyNotice notice;
  notice.year = year;
  notice.month = month;
  notice.days = days;
  notice.path = path;
  m_keptNotices.push_back(notice);
}

void CMonthSession::Watch() {
  char path[kPathSize];
  uint64_t generation;
  bool stampKnown;
  FileStamp known;
  {
    std::lock_guard<std::mutex> lock(m_monthLock);
    if (!IsEditable()) return;
    std::memcpy(path, m_dataFilePath, sizeof path);
    generation = m_generation;
    stampKnown = m_stampKnown;
    known = m_stamp;
  }
  try {
    FoldCopies(FolderOf(path));
    const FileStamp stamp = m_files.Stamp(path);
    if (stampKnown && stamp == known) return;
    FileSnapshot now;
    if (ReadFileSnapshot(m_files, path, now) == SnapshotRead::kUnreadable) return;  // looked at again next time
    std::function<void()> listener;
    {
      std::lock_guard<std::mutex> lock(m_monthLock);
      if (generation != m_generation) return;
      m_stampKnown = true;
      m_stamp = stamp;
      // A file that went away takes nothing away: the next write brings it back.
      if (!now.present || now.SameContent(m_base)) return;
      m_arrived = now;
      m_arrivalPending = true;
      listener = m_onArrival;
    }
    if (listener) {
      listener();
    } else {
      TakeInArrived();
    }
  } catch (const std::exception&) {
    // An exhausted heap: looked at again next time.
  }
}

void CMonthSession::FoldCopies(const std::string& folder) {
  if (folder.empty()) return;
  const FileStamp stamp = m_files.Stamp(folder.c_str());
  {
    std::lock_guard<std::mutex> lock(m_monthLock);
    if (folder == m_watchedFolder && stamp == m_folderStamp) return;
  }
  const std::vector<FoldedCopy> folded =
      FoldConflictCopies(m_files, folder, m_separator, [](int year, int month) { return DaysInMonth(year, month); });
  std::function<void()> told;
  {
    std::lock_guard<std::mutex> lock(m_monthLock);
    m_watchedFolder = folder;
    // Moving the copies away changed the folder: its stamp is taken after.
    m_folderStamp = folded.empty() ? stamp : m_files.Stamp(folder.c_str());
    for (const FoldedCopy& copy : folded) {
      if (copy.unplaced == 0) continue;
      NoteKeptCopy(copy.year, copy.month, copy.unplaced, copy.keptPath);
      told = m_onKeptCopy;
    }
  }
  Tell(told);
}

void CMonthSession::MergeIntoDisplay(const MonthTable& base, const MonthTable& theirs, const std::string& theirBytes) {
  const MonthMergeResult merge = MergeMonths(&base, m_monthTable, theirs, m_days);
  m_arrivedDays |= ChangedDays(merge.merged, m_monthTable, m_days);
  m_monthTable = merge.merged;
  if (merge.unplaced != 0) {
    m_keep = theirBytes;
    m_keepDays |= merge.unplaced;
    WantWrite(std::chrono::steady_clock::now());
  }
}

DayMask CMonthSession::TakeInArrived() {
  DayMask changed = 0;
  {
    std::lock_guard<std::mutex> lock(m_monthLock);
    if (m_arrivalPending && IsEditable()) {
      m_arrivalPending = false;
      MonthTable base;
      MonthTable theirs;
      ParseSnapshotMonth(m_base, base);
      ParseSnapshotMonth(m_arrived, theirs);
      MergeIntoDisplay(base, theirs, m_arrived.bytes);
      m_base = m_arrived;
      // What only arrived is the file's already: taking it in writes nothing.
      if (ChangedDays(m_monthTable, theirs, m_days) == 0 && m_keep.empty()) {
        m_changesWritten = m_changes;
      } else if (m_changes == m_changesWritten) {
        NoteChange();
      }
    }
    changed = m_arrivedDays;
    m_arrivedDays = 0;
  }
  m_writerWakes.notify_all();
  return changed;
}

void CMonthSession::ChangeFileBeside(int32_t year, int32_t month, const std::function<void()>& work) {
  std::lock_guard<std::mutex> fileLock(m_fileLock);
  {
    CMonthFileClaim claim(*this, year, month);
    work();
  }
  bool shown = false;
  {
    std::lock_guard<std::mutex> lock(m_monthLock);
    shown = IsEditable() && m_year == year && m_month == month;
    // A change within the same tick of the clock still counts.
    if (shown) m_stampKnown = false;
  }
  if (shown) Watch();
}

std::vector<KeptCopyNotice> CMonthSession::TakeKeptCopyNotices() {
  std::lock_guard<std::mutex> lock(m_monthLock);
  std::vector<KeptCopyNotice> notices;
  notices.swap(m_keptNotices);
  return notices;
}
