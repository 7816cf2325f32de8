#pragma once
// How many minutes before its time a line is reminded of: the setting
// "RemindMin" under the tool's id, "off" or the minutes.
#include <string>

constexpr char kReminderLeadKey[] = "RemindMin";
constexpr int kRemindersOff = -1;
constexpr int kDefaultReminderLead = 10;
// The choices, in the order the settings dialog offers them.
constexpr int g_ReminderLeads[] = {kRemindersOff, 0, 5, 10, 15, 30, 60};

// A value that is none of the choices, or none at all, is the default.
int ParseReminderLead(const char* value);
// "off" or the minutes: within the 7 characters a host keeps.
std::string FormatReminderLead(int lead);
