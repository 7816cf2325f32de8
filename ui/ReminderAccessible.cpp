#include "ui/ReminderAccessible.h"

void NameReminderWindow(HWND window, HWND list, const std::vector<std::wstring>& lines) {
  std::wstring name = L"予定の通知";
  for (size_t i = 0; i < lines.size(); ++i) name += (i == 0 ? L" " : L"、") + lines[i];
  SetAccessibleName(window, name);
  SetAccessibleName(list, L"通知する予定");
}
