#include "book/BookMonths.h"

#include <algorithm>

#include "book/MonthSession.h"
#include "data/FileSnapshot.h"
#include "data/FileSystem.h"
#include "export/MonthFileList.h"

namespace {

void SortMonths(std::vector<YearMonth>& months) {
  std::sort(months.begin(), months.end(), [](const YearMonth& a, const YearMonth& b) { return a.Index() < b.Index(); });
}

}  // namespace

CFolderMonths::CFolderMonths(IFileSystem& files, std::string folder) : m_files(files), m_folder(std::move(folder)) {}

bool CFolderMonths::ListMonths(std::vector<YearMonth>& months) {
  std::vector<std::string> names;
  if (!m_files.ListFolder(m_folder.c_str(), names)) return false;
  for (const std::string& name : names) {
    YearMonth month = {0, 0};
    if (ParseMonthFileName(name, month.year, month.month)) months.push_back(month);
  }
  SortMonths(months);
  return true;
}

MonthRead CFolderMonths::ReadMonth(int year, int month, MonthTable& table) {
  // As read for a change: a copy an interrupted save left is settled first,
  // and a file cut short counts as unread, so that none of its lines is taken for cleared.
  const std::string path = MonthFilePathIn(m_folder, year, month);
  if (path.empty()) return MonthRead::kFailed;
  FileSnapshot base;
  std::string reason;
  return ReadMonthForChange(m_files, path, year, month, table, base, reason);
}

MonthChange CFolderMonths::ChangeMonth(int year, int month, const std::function<bool(MonthTable& table)>& change) {
  return ChangeMonthFile(m_files, MonthFilePathIn(m_folder, year, month), year, month, true, change);
}

CSessionMonths::CSessionMonths(CMonthSession& session, IBookMonths& files) : m_session(session), m_files(files) {}

bool CSessionMonths::ListMonths(std::vector<YearMonth>& months) {
  if (!m_files.ListMonths(months)) return false;
  // The month on display may have no file yet.
  const MonthView view = m_session.View();
  if (view.fileState != MonthFileState::kNone) {
    const YearMonth shown = {view.year, view.month};
    if (std::none_of(months.begin(), months.end(), [&](const YearMonth& m) { return m.Index() == shown.Index(); })) {
      months.push_back(shown);
      SortMonths(months);
    }
  }
  return true;
}

MonthRead CSessionMonths::ReadMonth(int year, int month, MonthTable& table) {
  if (m_session.CopyHeldMonth(year, month, table)) return MonthRead::kRead;
  const MonthView view = m_session.View();
  // A month on display that could not be read is not read around the session.
  if (view.IsProtected() && view.year == year && view.month == month) return MonthRead::kFailed;
  return m_files.ReadMonth(year, month, table);
}

MonthChange CSessionMonths::ChangeMonth(int year, int month, const std::function<bool(MonthTable& table)>& change) {
  MonthChange result;
  m_session.ChangeFileBeside(year, month, [&] { result = m_files.ChangeMonth(year, month, change); });
  return result;
}
