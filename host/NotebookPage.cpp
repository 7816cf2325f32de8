#include "host/NotebookPage.h"

#include <vector>

#include "win/Text.h"

namespace {

constexpr DWORD kLargestPage = 1 << 20;

std::wstring PagePath(const std::wstring& dataDirectory) { return dataDirectory + L"\\notebook.txt"; }

}  // namespace

void LoadNotebookPage(HWND edit, const std::wstring& dataDirectory) {
  HANDLE file = CreateFileW(PagePath(dataDirectory).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  std::vector<char> bytes(kLargestPage);
  DWORD read = 0;
  const bool ok = ReadFile(file, bytes.data(), kLargestPage, &read, nullptr) != FALSE;
  CloseHandle(file);
  if (!ok || read == 0) return;
  const int length = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(read), nullptr, 0);
  std::wstring text(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(read), &text[0], length);
  ::SetWindowTextW(edit, text.c_str());
}

void SaveNotebookPage(HWND edit, const std::wstring& dataDirectory) {
  const std::wstring text = GetWindowTextWide(edit);
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &bytes[0], length, nullptr, nullptr);
  HANDLE file = CreateFileW(PagePath(dataDirectory).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}
