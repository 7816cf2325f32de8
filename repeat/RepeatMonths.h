#pragma once
// The months a repeated line is counted in again and again while the
// dialog's choices change.
#include <map>
#include <memory>

#include "book/BookMonths.h"

// Each month read once, as it stood then. Changes go through and are not kept.
class CReadOnceMonths : public IBookMonths {
 public:
  explicit CReadOnceMonths(IBookMonths& months);

  bool ListMonths(std::vector<YearMonth>& months) override;
  MonthRead ReadMonth(int year, int month, MonthTable& table) override;
  MonthChange ChangeMonth(int year, int month, const std::function<bool(MonthTable& table)>& change) override;

 private:
  struct ReadMonthEntry {
    MonthRead read;
    std::unique_ptr<MonthTable> table;
  };
  IBookMonths& m_months;                 // not owned
  std::map<int, ReadMonthEntry> m_read;  // by year * 12 + month - 1
};
