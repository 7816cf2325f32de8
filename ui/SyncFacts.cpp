#include "ui/SyncFacts.h"

#include "calendar/CalendarFacts.h"
#include "calendar/DayNumber.h"
#include "sync/win/SyncAccount.h"
#include "ui/SettingValue.h"
#include "win/WinHeaders.h"

SyncFacts SyncFactsOfHost(CToolHost* host) {
  SyncFacts facts;
  facts.enabled = ReadSettingNumber(host, kSyncOnKey) != 0;
  facts.reminderLead = ParseReminderLead(ReadSettingText(host, kReminderLeadKey).c_str());
  int year = 0, month = 0, day = 0;
  if (host != nullptr) {
    year = static_cast<int>(host->CalendarQuery(kCalTodayYear, 0, 0));
    month = static_cast<int>(host->CalendarQuery(kCalTodayMonth, 0, 0));
    day = static_cast<int>(host->CalendarQuery(kCalTodayDay, 0, 0));
  }
  // A host that answers no date: the PC's own.
  if (year > 9999 || !IsValidDate(year, month, day)) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    year = now.wYear;
    month = now.wMonth;
    day = now.wDay;
  }
  facts.todayDayNumber = DayNumberOf(year, month, day);
  return facts;
}
