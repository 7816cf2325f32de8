#include "host/IniSettingsStore.h"

#include "win/Text.h"

namespace {

// No value the tool writes contains it, so it tells "never stored" from "".
constexpr wchar_t kAbsent[] = L"\x01";
constexpr DWORD kValueChars = 256;

std::wstring SectionOf(int toolId) { return L"Tool" + std::to_wstring(toolId); }

}  // namespace

bool CIniSettingsStore::Get(int toolId, const std::string& key, std::string& value) const {
  wchar_t buffer[kValueChars];
  GetPrivateProfileStringW(SectionOf(toolId).c_str(), WidenCp932(key.c_str()).c_str(), kAbsent, buffer, kValueChars,
                           m_iniPath.c_str());
  if (std::wstring(buffer) == kAbsent) return false;
  value = NarrowToCp932(buffer).str();
  return true;
}

void CIniSettingsStore::Set(int toolId, const std::string& key, const std::string& value) {
  WritePrivateProfileStringW(SectionOf(toolId).c_str(), WidenCp932(key.c_str()).c_str(),
                             WidenCp932(value.c_str()).c_str(), m_iniPath.c_str());
}
