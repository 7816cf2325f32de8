#pragma once
// What the reminder window says, in cp932: a line for each due reminder,
// "12月9日(水)  10:00～11:30  歯医者  （あと10分）", and its title, the first
// one's time and text, "10:00 歯医者（ほか2件）".
#include <string>
#include <vector>

#include "reminders/ReminderScheduler.h"

std::string ReminderItemText(const DueReminder& due);
std::string ReminderTitle(const std::vector<DueReminder>& board);
