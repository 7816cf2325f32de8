#include "win/Text.h"

#include <cstring>
#include <vector>

std::wstring WidenCp932(const char* text, size_t length) {
  if (text == nullptr || length == 0) return std::wstring();
  int size = MultiByteToWideChar(kCodePage932, 0, text, static_cast<int>(length), nullptr, 0);
  if (size <= 0) return std::wstring();
  std::wstring wide(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(kCodePage932, 0, text, static_cast<int>(length), &wide[0], size);
  return wide;
}

std::wstring WidenCp932(const char* text) { return WidenCp932(text, text ? std::strlen(text) : 0); }

CString NarrowToCp932(const wchar_t* text, size_t length) {
  if (text == nullptr || length == 0) return CString();
  int size = WideCharToMultiByte(kCodePage932, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
  if (size <= 0) return CString();
  std::string narrow(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(kCodePage932, 0, text, static_cast<int>(length), &narrow[0], size, nullptr, nullptr);
  return CString(narrow.data(), narrow.size());
}

CString NarrowToCp932(const wchar_t* text) { return NarrowToCp932(text, text ? std::wcslen(text) : 0); }

std::wstring WidenUtf8(const std::string& utf8) {
  if (utf8.empty()) return std::wstring();
  int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  if (length <= 0) return std::wstring();
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &wide[0], length);
  return wide;
}

std::string NarrowToUtf8(const std::wstring& wide) {
  if (wide.empty()) return std::string();
  int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  if (size <= 0) return std::string();
  std::string utf8(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), &utf8[0], size, nullptr, nullptr);
  return utf8;
}

std::wstring GetWindowTextWide(HWND hwnd) {
  int length = GetWindowTextLengthW(hwnd);
  if (length <= 0) return std::wstring();
  std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
  int got = GetWindowTextW(hwnd, buffer.data(), length + 1);
  return std::wstring(buffer.data(), got > 0 ? static_cast<size_t>(got) : 0);
}

CString GetWindowTextCp932(HWND hwnd) {
  const std::wstring text = GetWindowTextWide(hwnd);
  return NarrowToCp932(text.data(), text.size());
}

bool SetWindowTextCp932(HWND hwnd, const char* text) { return SetWindowTextW(hwnd, WidenCp932(text).c_str()) != FALSE; }
