#pragma once
// What the user chose for the sync with a calendar server. The address and
// the user name are kept in a small file of the tool's own (the host keeps
// only short values), the password only in the platform's credential store.
#include <string>

#include "calendar/DayNumber.h"
#include "reminders/ReminderLead.h"

struct SyncSettings {
  bool enabled = false;
  std::string calendarUrl;  // the calendar collection, absolute, as the server wrote it
  std::string userName;     // UTF-8; the password is not here
  bool seals = true;        // the seals of a day as the categories of its events
  bool memo = false;        // the daily memo as an all-day event: a diary is private
  // The first day synced; year 0: a year before today.
  CalendarDate firstDay = {0, 0, 0};
  // Minutes before a timed line that its event's alarm rings, or
  // kRemindersOff: the book's reminder lead, as ParseReminderLead reads it.
  int reminderLead = kRemindersOff;
  // The book's zone: a name FindBookTimeZone knows.
  std::string timeZone = "Asia/Tokyo";
};

// The day number of the first day synced, given today's.
int FirstSyncedDay(const SyncSettings& settings, int todayDayNumber);

// The settings as the lines of a small UTF-8 text file ("key=value"), and
// back. Reading is lenient: an unknown key or a value that cannot be read
// leaves the default; reminderLead and timeZone are not kept (the host
// has its own settings for them).
std::string FormatSyncSettings(const SyncSettings& settings);
SyncSettings ParseSyncSettings(const std::string& text);
