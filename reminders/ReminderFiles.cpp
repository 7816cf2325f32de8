#include "reminders/ReminderFiles.h"

#include "calendar/CalendarFacts.h"
#include "calendar/DayNumber.h"
#include "data/FileSnapshot.h"
#include "data/MergingWrite.h"
#include "data/MonthFile.h"
#include "reminders/DismissedFile.h"
#include "reminders/LocalDismissals.h"

namespace {

constexpr int kDaysLookedAt = 3;  // yesterday, today, tomorrow

}  // namespace

bool CReminderFiles::OddState::Settled(const FileStamp& now, ReminderInstant at) {
  if (!seen || stamp != now) {
    seen = true;
    stamp = now;
    since = at;
  }
  return at - since >= kSettleTime;
}

CReminderFiles::CReminderFiles(IFileSystem& files, ReminderPlaces places, HeldMonth heldMonth)
    : m_files(files),
      m_places(std::move(places)),
      m_heldMonth(std::move(heldMonth)),
      m_remindersFolder(m_places.toolFolder + m_places.separator + kRemindersFolderName),
      m_dismissedPath(m_remindersFolder + m_places.separator + kDismissedFileStem + kDismissedFileExtension),
      m_recoveredBeside(m_places.toolFolder + m_places.separator + kDismissedFileStem + kDismissedFileExtension) {}

bool CReminderFiles::MonthOf(int year, int month, ReminderInstant now, MonthTable& table) {
  if (m_heldMonth && m_heldMonth(year, month, table)) return true;
  char path[kPathSize];
  if (!FormatMonthFilePathIn(path, m_places.toolFolder.c_str(), year, month, m_places.separator)) return false;
  MonthCopy& copy = m_months[{year, month}];
  const FileStamp stamp = m_files.Stamp(path);
  if (!copy.read || stamp != copy.stamp) {
    FileSnapshot snapshot;
    // A file that cannot be read now keeps what it held when it last could.
    if (ReadFileSnapshot(m_files, path, snapshot) != SnapshotRead::kUnreadable) {
      // Gone after it was there, or not written to its end: as it was, for a while.
      const bool odd = snapshot.present
                           ? !IsWholeMonthFile(snapshot.bytes.data(), snapshot.bytes.size(), DaysInMonth(year, month))
                           : copy.read && copy.present;
      if (!odd || copy.odd.Settled(stamp, now)) {
        ParseSnapshotMonth(snapshot, copy.table);
        copy.stamp = stamp;
        copy.read = true;
        copy.present = snapshot.present;
        copy.odd = OddState();
      }
    }
  }
  if (!copy.read) return false;
  table = copy.table;
  return true;
}

bool CReminderFiles::Look(int todayDayNumber, ReminderInstant now) {
  std::vector<TimedLine> lines;
  std::set<int> unknown;
  std::map<std::pair<int, int>, MonthCopy> looked;
  MonthTable table;
  std::pair<int, int> tableMonth{0, 0};
  bool tableKnown = false;
  const int firstDay = todayDayNumber > 0 ? todayDayNumber - 1 : 0;
  for (int day = firstDay; day < todayDayNumber - 1 + kDaysLookedAt; ++day) {
    const CalendarDate date = DateOfDayNumber(day);
    if (std::make_pair(date.year, date.month) != tableMonth) {
      tableMonth = {date.year, date.month};
      tableKnown = MonthOf(date.year, date.month, now, table);
      auto copy = m_months.find(tableMonth);
      if (copy != m_months.end()) looked.insert(*copy);
    }
    if (tableKnown) {
      AppendTimedLines(day, table.Day(date.day), lines);
    } else {
      unknown.insert(day);
    }
  }
  // Months no longer looked at are forgotten.
  m_months.swap(looked);
  const CDismissedSet dismissedBefore = m_facts.dismissed;
  const bool knownBefore = m_facts.dismissedKnown;
  LookAtDismissed(todayDayNumber, now);
  const bool changed = lines != m_facts.lines || unknown != m_facts.daysUnknown ||
                       m_facts.dismissed != dismissedBefore || m_facts.dismissedKnown != knownBefore;
  m_facts.lines.swap(lines);
  m_facts.daysUnknown.swap(unknown);
  return changed || !m_repairs.empty();
}

void CReminderFiles::LookAtDismissed(int todayDayNumber, ReminderInstant now) {
  if (!m_localRead) {
    // What an earlier run could not get into the data folder goes there now.
    CDismissedSet local;
    m_localRead = ReadLocalDismissals(m_files, m_places.localPath, local);
    if (local.Size() > 0) {
      m_facts.dismissed.Merge(local);
      m_notInFolder.Merge(local);
      m_keptLocally = local;
      m_unwritten = true;
    }
  }
  FoldCopies(todayDayNumber);
  const FileStamp stamp = m_files.Stamp(m_dismissedPath.c_str());
  if (!m_dismissedStampKnown || stamp != m_dismissedStamp) {
    const DismissedFileContent content = ReadDismissedFile(m_files, m_dismissedPath.c_str());
    switch (content.outcome) {
      case DismissedRead::kRead:
      case DismissedRead::kAbsent:
        m_damage = OddState();
        m_facts.dismissed.Merge(content.file);
        m_facts.dismissed.Merge(content.leftCopy);
        m_facts.dismissedKnown = true;
        m_dismissedStampKnown = true;
        m_dismissedStamp = stamp;
        // The file heals: an older copy put back, lacking what this PC knows, is written again.
        if (m_facts.dismissed.HoldsMoreThan(content.file, m_places.origin, todayDayNumber)) m_unwritten = true;
        break;
      case DismissedRead::kDamaged:
        if (m_damage.Settled(stamp, now)) Repair(content);
        break;
      case DismissedRead::kUnreadable:
        break;
    }
  }
  WriteUnwritten(todayDayNumber);
}

void CReminderFiles::FoldCopies(int todayDayNumber) {
  const FileStamp folderStamp = m_files.Stamp(m_remindersFolder.c_str());
  if (!folderStamp.present || (m_folderStampKnown && folderStamp == m_folderStamp)) return;
  std::vector<std::string> kept;
  const size_t before = m_facts.dismissed.Size();
  const bool folded =
      FoldDismissedCopies(m_files, m_remindersFolder, m_places.separator, m_dismissedPath.c_str(),
                          m_recoveredBeside.c_str(), m_facts.dismissed, m_places.origin, todayDayNumber, kept);
  m_keptCopies.insert(m_keptCopies.end(), kept.begin(), kept.end());
  if (m_facts.dismissed.Size() != before && !folded) m_unwritten = true;
  // Moving the copies away changed the folder: its stamp is taken after.
  m_folderStampKnown = folded;
  m_folderStamp = m_files.Stamp(m_remindersFolder.c_str());
  if (!kept.empty()) m_dismissedStampKnown = false;
}

void CReminderFiles::Repair(const DismissedFileContent& content) {
  DismissedRepair repair;
  // Looked at again next time when it cannot be moved; never written over.
  if (!MoveDamagedDismissedFile(m_files, m_dismissedPath.c_str(), m_recoveredBeside.c_str(), repair.keptPath)) {
    return;
  }
  repair.fromCopy = content.leftCopyWhole;
  m_facts.dismissed.Merge(content.leftCopy);
  m_damage = OddState();
  m_dismissedStampKnown = false;
  m_unwritten = true;
  m_repairs.push_back(repair);
}

void CReminderFiles::WriteUnwritten(int todayDayNumber) {
  if (!m_unwritten) return;
  if (WriteDismissedFile(m_files, m_dismissedPath.c_str(), m_facts.dismissed, m_places.origin, todayDayNumber)) {
    m_unwritten = false;
    m_facts.dismissedKnown = true;
    m_dismissedStampKnown = true;
    m_dismissedStamp = m_files.Stamp(m_dismissedPath.c_str());
    m_notInFolder = CDismissedSet();
    if (m_keptLocally.Size() > 0) {
      SettleLocalDismissals(m_files, m_places.localPath, m_facts.dismissed, m_places.origin, todayDayNumber);
      m_keptLocally = CDismissedSet();
    }
    return;
  }
  // Where this PC alone writes, until the data folder takes them.
  if (m_notInFolder.Size() > 0 && m_notInFolder != m_keptLocally &&
      KeepLocalDismissals(m_files, m_places.localPath, m_notInFolder)) {
    m_keptLocally = m_notInFolder;
  }
}

void CReminderFiles::AddDismissed(const ReminderOccurrence& occurrence) {
  m_facts.dismissed.Add(occurrence, m_places.origin);
  m_notInFolder.Add(occurrence, m_places.origin);
  m_unwritten = true;
}

std::vector<DismissedRepair> CReminderFiles::TakeRepairs() {
  std::vector<DismissedRepair> repairs;
  repairs.swap(m_repairs);
  return repairs;
}
