#pragma once
// The text rules of iCalendar content lines.
#include <string>
#include <string_view>

// A TEXT value: backslash, semicolon and comma escaped, LF written as \n.
std::string EscapeText(std::string_view utf8);

// Appends "name:value" (name may carry parameters) as a content line:
// folded so that no physical line passes 75 octets, never inside a UTF-8
// character, and ended with CR LF.
void AppendContentLine(std::string& out, std::string_view name, std::string_view value);
