#include "host/IniSettingsStore.h"

#include "win/Text.h"

namespace {

// No value the tool writes contains it, so it tells "never stored" from "".
constexpr wchar_t kAbsent[] = L"\x01";
constexpr DWORD kValueChars = 256;

std::wstring SectionOf(int toolId) { return L"Tool" + std::to_wstring(toolId); }

}  // namespace

bool CIniSettingsStore::Get(int toolId, const std::string& key, std::string& value) const {
  auto known = m_known.find({toolId, key});
  if (known == m_known.end()) {
    wchar_t buffer[kValueChars];
    GetPrivateProfileStringW(SectionOf(toolId).c_str(), WidenCp932(key.c_str()).c_str(), kAbsent, buffer, kValueChars,
                             m_iniPath.c_str());
    std::optional<std::string> stored;
    if (std::wstring(buffer) != kAbsent) stored = NarrowToCp932(buffer).str();
    known = m_known.emplace(std::make_pair(toolId, key), std::move(stored)).first;
  }
  if (!known->second) return false;
  value = *known->second;
  return true;
}

void CIniSettingsStore::Set(int toolId, const std::string& key, const std::string& value) {
  WritePrivateProfileStringW(SectionOf(toolId).c_str(), WidenCp932(key.c_str()).c_str(),
                             WidenCp932(value.c_str()).c_str(), m_iniPath.c_str());
  // Read back as the file has it, trimmed and under any spelling of the key
  // that the file takes for the same: sets are few, gets many.
  auto known = m_known.lower_bound({toolId, std::string()});
  while (known != m_known.end() && known->first.first == toolId) known = m_known.erase(known);
}
