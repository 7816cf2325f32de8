#pragma once
// The month files a repeated line is counted in and written to: a folder's,
// through the data layer's merging write, or the same beside the month
// session of an open schedule window.
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "data/DayRecord.h"
#include "import/MonthFileAccess.h"

class IFileSystem;
class CMonthSession;

class IRepeatMonths {
 public:
  virtual ~IRepeatMonths() = default;
  // The month as it stands, to count in: kAbsent is an empty month, kFailed
  // one that cannot be read.
  virtual MonthRead ReadMonth(int year, int month, MonthTable& table) = 0;
  // Read for the change and written back merging, as ChangeMonthFile does.
  virtual MonthChange ChangeMonth(int year, int month, const std::function<bool(MonthTable& table)>& change) = 0;
};

class CFolderMonths : public IRepeatMonths {
 public:
  // folder as the data layer spells paths.
  CFolderMonths(IFileSystem& files, std::string folder);

  MonthRead ReadMonth(int year, int month, MonthTable& table) override;
  MonthChange ChangeMonth(int year, int month, const std::function<bool(MonthTable& table)>& change) override;

 private:
  IFileSystem& m_files;  // not owned
  const std::string m_folder;
};

// The month on display is counted as the session holds it, with what is
// not written yet; every change goes to the files beside the session's own
// writes, which then take it in.
class CSessionMonths : public IRepeatMonths {
 public:
  CSessionMonths(CMonthSession& session, IRepeatMonths& files);

  MonthRead ReadMonth(int year, int month, MonthTable& table) override;
  MonthChange ChangeMonth(int year, int month, const std::function<bool(MonthTable& table)>& change) override;

 private:
  CMonthSession& m_session;  // not owned
  IRepeatMonths& m_files;    // not owned
};

// Each month read once, as it stood then: what a dialog counts in again
// and again while its choices change. Changes go through and are not kept.
class CReadOnceMonths : public IRepeatMonths {
 public:
  explicit CReadOnceMonths(IRepeatMonths& months);

  MonthRead ReadMonth(int year, int month, MonthTable& table) override;
  MonthChange ChangeMonth(int year, int month, const std::function<bool(MonthTable& table)>& change) override;

 private:
  struct ReadMonthEntry {
    MonthRead read;
    std::unique_ptr<MonthTable> table;
  };
  IRepeatMonths& m_months;               // not owned
  std::map<int, ReadMonthEntry> m_read;  // by year * 12 + month - 1
};
