#pragma once
// The tools' settings in an INI file: one section per tool ("Tool17"),
// values as the tool gave them, through the profile-string functions. Each
// key is read from the file once and kept until it is set: a set writes
// through to the file at once. Not locked: CHostServices serialises calls.
#include <map>
#include <optional>
#include <string>
#include <utility>

#include "host/core/SettingsStore.h"

class CIniSettingsStore : public ISettingsStore {
 public:
  explicit CIniSettingsStore(std::wstring iniPath) : m_iniPath(std::move(iniPath)) {}

  bool Get(int toolId, const std::string& key, std::string& value) const override;
  void Set(int toolId, const std::string& key, const std::string& value) override;

 private:
  std::wstring m_iniPath;
  // What the file holds for each tool's keys asked since the tool last set
  // one, by tool id and key; nullopt: never stored.
  mutable std::map<std::pair<int, std::string>, std::optional<std::string>> m_known;
};
