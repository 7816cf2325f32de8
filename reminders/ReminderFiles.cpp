#include "reminders/ReminderFiles.h"


#include "calendar/DayNumber.h"
#include "data/FileSnapshot.h"
#include "data/MergingWrite.h"
#include "data/MonthFile.h"
#include "reminders/DismissedFile.h"

namespace {

constexpr int kDaysLookedAt = 3;  // yesterday, today, tomorrow

}  // namespace

CReminderFiles::CReminderFiles(IFileSystem& files, std::string toolFolder, char separator, HeldMonth heldMonth)
    : m_files(files),
      m_toolFolder(std::move(toolFolder)),
      m_separator(separator),
      m_heldMonth(std::move(heldMonth)),
      m_remindersFolder(m_toolFolder + separator + kRemindersFolderName),
      m_dismissedPath(m_remindersFolder + separator + kDismissedFileStem + kDismissedFileExtension),
      m_recoveredBeside(m_toolFolder + separator + kDismissedFileStem + kDismissedFileExtension) {}

bool CReminderFiles::MonthOf(int year, int month, MonthTable& table) {
  if (m_heldMonth && m_heldMonth(year, month, table)) return true;
  char path[kPathSize];
  if (!FormatMonthFilePathIn(path, m_toolFolder.c_str(), year, month, m_separator)) return false;
  MonthCopy& copy = m_months[{year, month}];
  const FileStamp stamp = m_files.Stamp(path);
  if (!copy.read || stamp != copy.stamp) {
    FileSnapshot snapshot;
    // A file that cannot be read now keeps what it held when it last could.
    if (ReadFileSnapshot(m_files, path, snapshot) != SnapshotRead::kUnreadable) {
      ParseSnapshotMonth(snapshot, copy.table);
      copy.stamp = stamp;
      copy.read = true;
    }
  }
  if (!copy.read) return false;
  table = copy.table;
  return true;
}

bool CReminderFiles::Look(int todayDayNumber) {
  std::vector<TimedLine> lines;
  std::map<std::pair<int, int>, MonthCopy> looked;
  MonthTable table;
  std::pair<int, int> tableMonth{0, 0};
  bool tableKnown = false;
  const int firstDay = todayDayNumber > 0 ? todayDayNumber - 1 : 0;
  for (int day = firstDay; day < todayDayNumber - 1 + kDaysLookedAt; ++day) {
    const CalendarDate date = DateOfDayNumber(day);
    if (std::make_pair(date.year, date.month) != tableMonth) {
      tableMonth = {date.year, date.month};
      tableKnown = MonthOf(date.year, date.month, table);
      auto copy = m_months.find(tableMonth);
      if (copy != m_months.end()) looked.insert(*copy);
    }
    if (tableKnown) AppendTimedLines(day, table.Day(date.day), lines);
  }
  // Months no longer looked at are forgotten.
  m_months.swap(looked);
  const CDismissedSet dismissedBefore = m_facts.dismissed;
  const bool knownBefore = m_facts.dismissedKnown;
  LookAtDismissed(todayDayNumber);
  const bool changed =
      lines != m_facts.lines || m_facts.dismissed != dismissedBefore || m_facts.dismissedKnown != knownBefore;
  m_facts.lines.swap(lines);
  return changed;
}

void CReminderFiles::LookAtDismissed(int todayDayNumber) {
  const int firstKept = todayDayNumber - kDismissedKeptDays;
  const FileStamp folderStamp = m_files.Stamp(m_remindersFolder.c_str());
  if (folderStamp.present && (!m_folderStampKnown || folderStamp != m_folderStamp)) {
    std::vector<std::string> kept;
    const size_t before = m_facts.dismissed.Size();
    const bool folded = FoldDismissedCopies(m_files, m_remindersFolder, m_separator, m_dismissedPath.c_str(),
                                            m_recoveredBeside.c_str(), m_facts.dismissed, firstKept, kept);
    m_keptCopies.insert(m_keptCopies.end(), kept.begin(), kept.end());
    if (m_facts.dismissed.Size() != before && !folded) m_unwritten = true;
    // Moving the copies away changed the folder: its stamp is taken after.
    m_folderStampKnown = folded;
    m_folderStamp = m_files.Stamp(m_remindersFolder.c_str());
    if (!kept.empty()) m_dismissedStampKnown = false;
  }
  const FileStamp stamp = m_files.Stamp(m_dismissedPath.c_str());
  if (!m_dismissedStampKnown || stamp != m_dismissedStamp) {
    if (ReadDismissedFile(m_files, m_dismissedPath.c_str(), m_facts.dismissed) != DismissedRead::kUnreadable) {
      m_facts.dismissedKnown = true;
      m_dismissedStampKnown = true;
      m_dismissedStamp = stamp;
    }
  }
  if (!m_unwritten) return;
  if (WriteDismissedFile(m_files, m_dismissedPath.c_str(), m_facts.dismissed, firstKept)) {
    m_unwritten = false;
    m_facts.dismissedKnown = true;
    m_dismissedStampKnown = true;
    m_dismissedStamp = m_files.Stamp(m_dismissedPath.c_str());
  }
}

void CReminderFiles::AddDismissed(const ReminderOccurrence& occurrence) {
  m_facts.dismissed.Add(occurrence);
  m_unwritten = true;
}
