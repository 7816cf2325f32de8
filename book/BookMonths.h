#pragma once
// The month files that a run over many months of the book (a repeat, the
// calendar sync) lists, reads and changes: a folder's, through the merging
// month access, or the same beside the month session of an open schedule
// window, which then takes in what was written.
#include <functional>
#include <string>
#include <vector>

#include "calendar/YearMonth.h"
#include "data/DayRecord.h"
#include "import/MonthFileAccess.h"

class CMonthSession;
class IFileSystem;

class IBookMonths {
 public:
  virtual ~IBookMonths() = default;
  // The months that have a file, oldest first; false when the folder
  // cannot be listed.
  virtual bool ListMonths(std::vector<YearMonth>& months) = 0;
  // The month as it stands, read as for a change: kAbsent is an empty
  // month, kFailed one that cannot be read or that a rewrite would lose.
  virtual MonthRead ReadMonth(int year, int month, MonthTable& table) = 0;
  // Read again for the change and written back merging, as ChangeMonthFile does.
  virtual MonthChange ChangeMonth(int year, int month, const std::function<bool(MonthTable& table)>& change) = 0;
};

class CFolderMonths : public IBookMonths {
 public:
  // folder: the month files', as the data layer spells paths.
  CFolderMonths(IFileSystem& files, std::string folder);

  bool ListMonths(std::vector<YearMonth>& months) override;
  MonthRead ReadMonth(int year, int month, MonthTable& table) override;
  MonthChange ChangeMonth(int year, int month, const std::function<bool(MonthTable& table)>& change) override;

 private:
  IFileSystem& m_files;  // not owned
  const std::string m_folder;
};

// A month the session holds (on display, or left and not written yet) is
// read as it holds it, with what is not in its file yet; every change goes
// to the files beside the session's own writes.
class CSessionMonths : public IBookMonths {
 public:
  CSessionMonths(CMonthSession& session, IBookMonths& files);

  bool ListMonths(std::vector<YearMonth>& months) override;
  MonthRead ReadMonth(int year, int month, MonthTable& table) override;
  MonthChange ChangeMonth(int year, int month, const std::function<bool(MonthTable& table)>& change) override;

 private:
  CMonthSession& m_session;  // not owned
  IBookMonths& m_files;      // not owned
};
