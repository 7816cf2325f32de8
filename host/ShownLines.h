#pragma once
// Report lines cut down for a message box, which must fit the screen.
#include <string>

constexpr size_t kShownLines = 15;

// The first kShownLines lines of text, then "... and N more <what>." when
// there were more.
std::wstring ShownLines(const std::wstring& text, const wchar_t* what);
