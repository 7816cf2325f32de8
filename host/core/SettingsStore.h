#pragma once
// Where the host keeps the tools' settings: text values by tool id and key.
#include <string>

class ISettingsStore {
 public:
  virtual ~ISettingsStore() = default;
  // False, leaving value alone, for a key never stored.
  virtual bool Get(int toolId, const std::string& key, std::string& value) const = 0;
  virtual void Set(int toolId, const std::string& key, const std::string& value) = 0;
};
