#include "ui/SettingValue.h"

#include "data/LenientDecimal.h"

namespace {

// Hosts promise at most 7 characters; a larger buffer costs nothing.
constexpr size_t kSettingBufferSize = 260;

}  // namespace

std::string ReadSettingText(CToolHost* host, const char* key) {
  char value[kSettingBufferSize] = {};
  if (host != nullptr) host->GetSetting(kToolId, key, value);
  value[kSettingBufferSize - 1] = '\0';  // a host that forgets the terminator
  return value;
}

int ReadSettingNumber(CToolHost* host, const char* key) {
  return ParseLenientDecimal(ReadSettingText(host, key).c_str());
}
