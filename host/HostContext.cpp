#include "host/HostContext.h"

#include "host/ExactCp932.h"
#include "host/HostPaths.h"

std::wstring CHostContext::Prepare(const HostOptions& options) {
  m_dataDirectory = options.dataDirectory.empty() ? DefaultDataDirectory() : options.dataDirectory;
  if (m_dataDirectory.empty()) return L"no application data folder; give one with --data DIR";
  std::string narrowDirectory;
  if (!ToCp932Exactly(m_dataDirectory, narrowDirectory)) {
    return L"the data folder's name cannot be written in code page 932: " + m_dataDirectory;
  }
  if (!EnsureFolder(m_dataDirectory)) return L"cannot create the data folder " + m_dataDirectory;
  m_iniPath = options.iniPath.empty() ? DefaultIniPath(m_dataDirectory) : options.iniPath;
  m_store = std::make_unique<CIniSettingsStore>(m_iniPath);
  m_services = std::make_unique<CHostServices>(*m_store, narrowDirectory, options.today);
  return L"";
}
