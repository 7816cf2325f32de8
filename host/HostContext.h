#pragma once
// The host's services as the options ask for them: the data directory,
// the INI file of the settings and the date that stands for today.
#include <memory>
#include <string>

#include "host/HostOptions.h"
#include "host/IniSettingsStore.h"
#include "host/core/HostServices.h"

class CHostContext {
 public:
  // Empty on success; otherwise why the host cannot start.
  std::wstring Prepare(const HostOptions& options);

  CHostServices& Services() { return *m_services; }
  const std::wstring& DataDirectory() const { return m_dataDirectory; }
  const std::wstring& IniPath() const { return m_iniPath; }

 private:
  std::wstring m_dataDirectory;
  std::wstring m_iniPath;
  std::unique_ptr<CIniSettingsStore> m_store;
  std::unique_ptr<CHostServices> m_services;
};
