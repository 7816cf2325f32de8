#include "ui/PrinterChoice.h"

// PrintDlgEx is declared with the COM interfaces it takes.
#include <objbase.h>

#include <commdlg.h>
#include <winspool.h>

#include <algorithm>
#include <cstring>
#include <cwchar>

namespace {

// The printer's settings with the orientation set; empty when the driver gives none.
std::vector<BYTE> DevModeOf(const std::wstring& device, bool landscape) {
  HANDLE printer = nullptr;
  std::wstring name = device;
  if (!OpenPrinterW(&name[0], &printer, nullptr)) return {};
  std::vector<BYTE> devMode;
  const LONG size = DocumentPropertiesW(nullptr, printer, &name[0], nullptr, nullptr, 0);
  if (size >= static_cast<LONG>(sizeof(DEVMODEW))) {
    devMode.resize(static_cast<size_t>(size));
    auto* mode = reinterpret_cast<DEVMODEW*>(devMode.data());
    if (DocumentPropertiesW(nullptr, printer, &name[0], mode, nullptr, DM_OUT_BUFFER) == IDOK) {
      mode->dmFields |= DM_ORIENTATION;
      mode->dmOrientation = static_cast<short>(landscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT);
      // The driver makes the rest of its settings agree with the orientation.
      DocumentPropertiesW(nullptr, printer, &name[0], mode, mode, DM_IN_BUFFER | DM_OUT_BUFFER);
    } else {
      devMode.clear();
    }
  }
  ClosePrinter(printer);
  return devMode;
}

HGLOBAL GlobalCopy(const void* bytes, size_t size) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  if (memory == nullptr) return nullptr;
  if (void* target = GlobalLock(memory)) {
    std::memcpy(target, bytes, size);
    GlobalUnlock(memory);
  }
  return memory;
}

HGLOBAL DevNamesOf(const std::wstring& device) {
  const size_t offset = sizeof(DEVNAMES) / sizeof(wchar_t) + 1;
  std::vector<wchar_t> names(offset + device.size() + 2, L'\0');
  auto* header = reinterpret_cast<DEVNAMES*>(names.data());
  header->wDriverOffset = static_cast<WORD>(offset + device.size());
  header->wDeviceOffset = static_cast<WORD>(offset);
  header->wOutputOffset = static_cast<WORD>(offset + device.size() + 1);
  std::memcpy(&names[offset], device.c_str(), device.size() * sizeof(wchar_t));
  return GlobalCopy(names.data(), names.size() * sizeof(wchar_t));
}

void FreeChoice(HGLOBAL devNames, HGLOBAL devMode) {
  if (devNames != nullptr) GlobalFree(devNames);
  if (devMode != nullptr) GlobalFree(devMode);
}

// What the dialog chose, out of its memory; the memory is freed.
bool TakeChoice(HGLOBAL devNames, HGLOBAL devMode, PrinterChoice& choice) {
  bool taken = false;
  const size_t namesSize = devNames != nullptr ? GlobalSize(devNames) / sizeof(wchar_t) : 0;
  if (const auto* names = static_cast<const wchar_t*>(devNames != nullptr ? GlobalLock(devNames) : nullptr)) {
    const size_t offset = reinterpret_cast<const DEVNAMES*>(names)->wDeviceOffset;
    if (offset < namesSize) choice.device.assign(names + offset, wcsnlen(names + offset, namesSize - offset));
    GlobalUnlock(devNames);
    taken = offset < namesSize && !choice.device.empty();
  }
  choice.devMode.clear();
  const size_t modeSize = devMode != nullptr ? GlobalSize(devMode) : 0;
  if (const auto* mode = static_cast<const BYTE*>(devMode != nullptr ? GlobalLock(devMode) : nullptr)) {
    const auto* header = reinterpret_cast<const DEVMODEW*>(mode);
    const size_t size =
        modeSize >= sizeof(DEVMODEW) ? std::min<size_t>(modeSize, header->dmSize + header->dmDriverExtra) : 0;
    choice.devMode.assign(mode, mode + size);
    GlobalUnlock(devMode);
  }
  FreeChoice(devNames, devMode);
  return taken;
}

PrinterAsked AskWithOlderDialog(HWND owner, HGLOBAL devNames, HGLOBAL devMode, PrinterChoice& choice) {
  PRINTDLGW dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.hDevNames = devNames;
  dialog.hDevMode = devMode;
  dialog.Flags = PD_NOPAGENUMS | PD_NOSELECTION | PD_USEDEVMODECOPIESANDCOLLATE;
  const bool chosen = PrintDlgW(&dialog) != FALSE;
  const DWORD error = chosen ? 0 : CommDlgExtendedError();
  if (!chosen) {
    FreeChoice(dialog.hDevNames, dialog.hDevMode);
    return error != 0 ? PrinterAsked::kFailed : PrinterAsked::kCancelled;
  }
  return TakeChoice(dialog.hDevNames, dialog.hDevMode, choice) ? PrinterAsked::kChosen : PrinterAsked::kFailed;
}

}  // namespace

bool IsAnyPrinterInstalled() {
  DWORD needed = 0;
  DWORD count = 0;
  EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, nullptr, 0, &needed, &count);
  if (needed == 0) return false;
  std::vector<BYTE> buffer(needed);
  return EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, buffer.data(), needed, &needed,
                       &count) &&
         count > 0;
}

std::optional<PrinterChoice> DefaultPrinter(bool landscape) {
  DWORD size = 0;
  GetDefaultPrinterW(nullptr, &size);
  if (size == 0) return std::nullopt;
  std::wstring name(size, L'\0');
  if (!GetDefaultPrinterW(&name[0], &size)) return std::nullopt;
  name.resize(wcslen(name.c_str()));
  if (name.empty()) return std::nullopt;
  return PrinterChoice{name, DevModeOf(name, landscape)};
}

PrinterAsked AskForPrinter(HWND owner, bool landscape, PrinterChoice& choice, bool& olderDialog) {
  olderDialog = false;
  const std::optional<PrinterChoice> start = DefaultPrinter(landscape);
  HGLOBAL devNames = start ? DevNamesOf(start->device) : nullptr;
  HGLOBAL devMode =
      start && !start->devMode.empty() ? GlobalCopy(start->devMode.data(), start->devMode.size()) : nullptr;

  PRINTDLGEXW dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.hDevNames = devNames;
  dialog.hDevMode = devMode;
  dialog.Flags = PD_NOPAGENUMS | PD_NOSELECTION | PD_NOCURRENTPAGE | PD_USEDEVMODECOPIESANDCOLLATE;
  dialog.nStartPage = START_PAGE_GENERAL;
  const HRESULT result = PrintDlgExW(&dialog);
  if (SUCCEEDED(result)) {
    if (dialog.dwResultAction != PD_RESULT_PRINT) {
      FreeChoice(dialog.hDevNames, dialog.hDevMode);
      return PrinterAsked::kCancelled;
    }
    return TakeChoice(dialog.hDevNames, dialog.hDevMode, choice) ? PrinterAsked::kChosen : PrinterAsked::kFailed;
  }
  // A system without the newer dialog, or one that refuses it: the older one.
  olderDialog = true;
  return AskWithOlderDialog(owner, dialog.hDevNames, dialog.hDevMode, choice);
}

HDC CreatePrinterDC(const PrinterChoice& printer) {
  const auto* mode = printer.devMode.empty() ? nullptr : reinterpret_cast<const DEVMODEW*>(printer.devMode.data());
  return CreateDCW(nullptr, printer.device.c_str(), nullptr, mode);
}
