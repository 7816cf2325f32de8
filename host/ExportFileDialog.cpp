#include "host/ExportFileDialog.h"

#include <commdlg.h>

#include <vector>

#include "host/HostExport.h"

namespace {

// Filter indexes of the dialog count from 1.
constexpr DWORD kICalendarFilter = 1;
constexpr DWORD kCsvFilter = 2;
// Room for the longest path the system takes.
constexpr size_t kPathCapacity = 32768;

const wchar_t kFilters[] = L"iCalendar (*.ics)\0*.ics\0CSV, UTF-8 (*.csv)\0*.csv\0";

}  // namespace

bool AskExportTarget(HWND owner, std::wstring& path, ExportFormat& format) {
  std::vector<wchar_t> name(kPathCapacity, L'\0');
  OPENFILENAMEW dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = kFilters;
  dialog.nFilterIndex = kICalendarFilter;
  dialog.lpstrFile = name.data();
  dialog.nMaxFile = static_cast<DWORD>(name.size());
  dialog.lpstrTitle = L"Export the schedule book";
  // Set, so that a bare name gets the extension of the filter chosen in the dialog.
  dialog.lpstrDefExt = L"ics";
  dialog.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (!GetSaveFileNameW(&dialog)) return false;
  path = name.data();
  ExportFormat chosen = dialog.nFilterIndex == kCsvFilter ? ExportFormat::kCsv : ExportFormat::kICalendar;
  // A name typed with its own extension says more than the filter left as it was.
  format = FormatForFile(path, chosen);
  return true;
}
