#include "host/ImportFileDialog.h"

#include <commdlg.h>

#include <vector>

namespace {

// Room for the longest path the system takes.
constexpr size_t kPathCapacity = 32768;

const wchar_t kFilters[] = L"iCalendar (*.ics)\0*.ics\0All files (*.*)\0*.*\0";

}  // namespace

bool AskImportSource(HWND owner, std::wstring& path) {
  std::vector<wchar_t> name(kPathCapacity, L'\0');
  OPENFILENAMEW dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = kFilters;
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = name.data();
  dialog.nMaxFile = static_cast<DWORD>(name.size());
  dialog.lpstrTitle = L"Import a calendar into the schedule book";
  dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (!GetOpenFileNameW(&dialog)) return false;
  path = name.data();
  return true;
}
