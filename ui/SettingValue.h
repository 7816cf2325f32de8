#pragma once
// A value from the host's settings store.
#include <string>

#include "tool/ToolHost.h"

// The value of key under the tool's id, read leniently: empty or not a
// number reads as 0. Whatever the host writes stays inside the buffer.
int ReadSettingNumber(CToolHost* host, const char* key);

// The text of key under the tool's id; "" when the host has none.
std::string ReadSettingText(CToolHost* host, const char* key);
