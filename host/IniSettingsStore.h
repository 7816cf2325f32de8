#pragma once
// The tools' settings in an INI file: one section per tool ("Tool17"),
// values as the tool gave them, through the profile-string functions.
#include <string>

#include "host/core/SettingsStore.h"

class CIniSettingsStore : public ISettingsStore {
 public:
  explicit CIniSettingsStore(std::wstring iniPath) : m_iniPath(std::move(iniPath)) {}

  bool Get(int toolId, const std::string& key, std::string& value) const override;
  void Set(int toolId, const std::string& key, const std::string& value) override;

 private:
  std::wstring m_iniPath;
};
