#pragma once
// Settings kept in memory only: for tests and for a host without a file.
#include <map>
#include <string>
#include <utility>

#include "host/core/SettingsStore.h"

class CMemorySettingsStore : public ISettingsStore {
 public:
  bool Get(int toolId, const std::string& key, std::string& value) const override;
  void Set(int toolId, const std::string& key, const std::string& value) override;

 private:
  std::map<std::pair<int, std::string>, std::string> m_values;
};
