#pragma once
// cp932 text to UTF-8, exact, with nothing dropped.
#include <cstddef>
#include <string>
#include <string_view>

// Appends the UTF-8 form of the text to out. A byte sequence that is no
// cp932 character becomes one U+FFFD; an ASCII byte after a lead byte is
// kept as itself. Returns the number of such replacements.
size_t AppendUtf8FromCp932(std::string& out, std::string_view cp932);

// Appends the UTF-8 form of one code point below 0x10000.
void AppendUtf8(std::string& out, unsigned codePoint);
