#pragma once
// Loads Plannix.dll as the host does and creates the tool through its export.
#include <memory>

#include "tool/ToolBase.h"
#include "win/WinHeaders.h"

class CPluginLoader {
 public:
  CPluginLoader() : m_module(LoadLibraryW(L"Plannix.dll")) {}
  CPluginLoader(const CPluginLoader&) = delete;
  CPluginLoader& operator=(const CPluginLoader&) = delete;
  ~CPluginLoader() {
    if (m_module != nullptr) FreeLibrary(m_module);
  }

  HMODULE Module() const { return m_module; }
  NewQuirelleToolFunction Factory() const {
    return reinterpret_cast<NewQuirelleToolFunction>(
        reinterpret_cast<void*>(GetProcAddress(m_module, "NewQuirelleTool")));
  }

 private:
  HMODULE m_module;
};
