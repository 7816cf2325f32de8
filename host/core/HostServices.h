#pragma once
// The host-services object without a window system: settings through a
// store, the data directory, calendar facts and Japanese holidays. The
// Windows host derives from it or wraps it. Safe to call from the tool's
// UI thread and the host's thread at once.
#include <mutex>
#include <optional>
#include <string>

#include "host/core/HolidayLookup.h"
#include "host/core/SettingsStore.h"
#include "tool/ToolHost.h"

// The smallest value buffer a tool hands to GetSetting.
constexpr int kSettingValueSize = 8;

class CHostServices : public CToolHost {
 public:
  // today, when given, stands for the local date in every answer.
  CHostServices(ISettingsStore& store, std::string dataDirectory,
                std::optional<DateRecord> today = std::nullopt);
  virtual ~CHostServices() = default;

  int GetSetting(int toolId, const char* key, char* value) override;
  int SetSetting(int toolId, const char* key, const char* value) override;
  const char* GetDataDirectory(int a, int b) override;
  intptr_t CalendarQuery(int code, intptr_t a, intptr_t b) override;
  int HolidayQuery(int code, int a, int b, int c) override;

  DateRecord Today() const;
  HolidayBracketCounts HolidayBrackets() const;

 private:
  ISettingsStore& m_store;            // not owned
  const std::string m_dataDirectory;  // cp932, no trailing separator
  const std::optional<DateRecord> m_today;
  mutable std::mutex m_mutex;  // guards m_store and m_holidays
  CHolidayLookup m_holidays;
};
