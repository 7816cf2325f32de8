#pragma once
// The host's holidays by day number, asked a year at a time within the
// host's brackets and kept: a repeat over ten years asks each year once.
// On the thread that may call the host.
#include <map>
#include <vector>

#include "tool/ToolHost.h"

class CHostHolidays {
 public:
  explicit CHostHolidays(CToolHost& host);

  bool IsHoliday(int dayNumber);

 private:
  CToolHost& m_host;                         // not owned
  std::map<int, std::vector<bool>> m_years;  // by year, index the day of the year - 1
};
