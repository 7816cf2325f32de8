#include "win/Module.h"

HINSTANCE ResourceModule() {
  static HINSTANCE module = [] {
    HMODULE handle = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&ResourceModule), &handle);
    return static_cast<HINSTANCE>(handle);
  }();
  return module;
}
