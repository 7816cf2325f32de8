#include "repeat/RepeatMonths.h"

CReadOnceMonths::CReadOnceMonths(IBookMonths& months) : m_months(months) {}

bool CReadOnceMonths::ListMonths(std::vector<YearMonth>& months) { return m_months.ListMonths(months); }

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
