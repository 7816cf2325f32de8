#include "repeat/RepeatMonths.h"

#include "book/MonthSession.h"
#include "data/FileSnapshot.h"
#include "data/FileSystem.h"
#include "data/MergingWrite.h"

CFolderMonths::CFolderMonths(IFileSystem& files, std::string folder) : m_files(files), m_folder(std::move(folder)) {}

MonthRead CFolderMonths::ReadMonth(int year, int month, MonthTable& table) {
  const std::string path = MonthFilePathIn(m_folder, year, month);
  FileSnapshot snapshot;
  if (path.empty()) return MonthRead::kFailed;
  switch (ReadFileSnapshot(m_files, path.c_str(), snapshot)) {
    case SnapshotRead::kAbsent:
      ClearMonth(table);
      return MonthRead::kAbsent;
    case SnapshotRead::kUnreadable:
      return MonthRead::kFailed;
    case SnapshotRead::kRead:
      break;
  }
  ParseSnapshotMonth(snapshot, table);
  return MonthRead::kRead;
}

MonthChange CFolderMonths::ChangeMonth(int year, int month, const std::function<bool(MonthTable& table)>& change) {
  return ChangeMonthFile(m_files, MonthFilePathIn(m_folder, year, month), year, month, true, change);
}

CSessionMonths::CSessionMonths(CMonthSession& session, IRepeatMonths& files) : m_session(session), m_files(files) {}

MonthRead CSessionMonths::ReadMonth(int year, int month, MonthTable& table) {
  const MonthView view = m_session.View();
  const bool editable = view.fileState != MonthFileState::kNone && !view.IsProtected();
  if (editable && view.year == year && view.month == month) {
    m_session.CopyTable(table);
    return MonthRead::kRead;
  }
  return m_files.ReadMonth(year, month, table);
}

MonthChange CSessionMonths::ChangeMonth(int year, int month, const std::function<bool(MonthTable& table)>& change) {
  MonthChange result;
  m_session.ChangeFileBeside(year, month, [&] { result = m_files.ChangeMonth(year, month, change); });
  return result;
}

CReadOnceMonths::CReadOnceMonths(IRepeatMonths& months) : m_months(months) {}

MonthRead CReadOnceMonths::ReadMonth(int year, int month, MonthTable& table) {
  const int index = year * 12 + month - 1;
  auto found = m_read.find(index);
  if (found == m_read.end()) {
    ReadMonthEntry entry;
    entry.table = std::make_unique<MonthTable>();
    entry.read = m_months.ReadMonth(year, month, *entry.table);
    found = m_read.emplace(index, std::move(entry)).first;
  }
  table = *found->second.table;
  return found->second.read;
}

MonthChange CReadOnceMonths::ChangeMonth(int year, int month, const std::function<bool(MonthTable& table)>& change) {
  m_read.erase(year * 12 + month - 1);
  return m_months.ChangeMonth(year, month, change);
}
