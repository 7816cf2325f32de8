#pragma once
// cp932 <-> UTF-16 at the edge to the window system, so Japanese shows
// whatever the system's ANSI code page is.
#include <string>

#include "win/String.h"
#include "win/WinHeaders.h"

constexpr UINT kCodePage932 = 932;

std::wstring WidenCp932(const char* text);
std::wstring WidenCp932(const char* text, size_t length);
CString NarrowToCp932(const wchar_t* text);
CString NarrowToCp932(const wchar_t* text, size_t length);

// UTF-8 <-> UTF-16, for what comes from or goes to files and servers.
// Ill-formed input becomes U+FFFD (or its UTF-8) rather than nothing.
std::wstring WidenUtf8(const std::string& utf8);
std::string NarrowToUtf8(const std::wstring& wide);

std::wstring GetWindowTextWide(HWND hwnd);
// The window's text, as cp932.
CString GetWindowTextCp932(HWND hwnd);
bool SetWindowTextCp932(HWND hwnd, const char* text);
