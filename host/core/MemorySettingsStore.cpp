#include "host/core/MemorySettingsStore.h"

bool CMemorySettingsStore::Get(int toolId, const std::string& key, std::string& value) const {
  auto found = m_values.find({toolId, key});
  if (found == m_values.end()) return false;
  value = found->second;
  return true;
}

void CMemorySettingsStore::Set(int toolId, const std::string& key, const std::string& value) {
  m_values[{toolId, key}] = value;
}
