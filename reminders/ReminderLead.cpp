#include "reminders/ReminderLead.h"

#include <algorithm>
#include <iterator>
#include <string_view>

namespace {

constexpr std::string_view kOff = "off";

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

int ParseReminderLead(const char* value) {
  if (value == nullptr) return kDefaultReminderLead;
  std::string_view text(value);
  while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
  if (text == kOff) return kRemindersOff;
  if (text.empty() || text.size() > 2 ||
      !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return kDefaultReminderLead;
  }
  int minutes = 0;
  for (char c : text) minutes = minutes * 10 + (c - '0');
  const bool offered =
      std::find(std::begin(g_ReminderLeads), std::end(g_ReminderLeads), minutes) != std::end(g_ReminderLeads);
  return offered ? minutes : kDefaultReminderLead;
}

std::string FormatReminderLead(int lead) { return lead == kRemindersOff ? std::string(kOff) : std::to_string(lead); }
