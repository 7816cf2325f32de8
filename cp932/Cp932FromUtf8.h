#pragma once
// UTF-8 text to cp932, as iconv's CP932 writes it.
#include <cstddef>
#include <string>
#include <string_view>

// What stands in for a character that cp932 cannot hold.
constexpr char kCp932Substitute = '?';

// Appends the cp932 form of the text to out. A character that cp932 cannot
// hold and a byte sequence that is no UTF-8 become one kCp932Substitute
// each. Returns the number of substitutes.
size_t AppendCp932FromUtf8(std::string& out, std::string_view utf8);

// Reads one UTF-8 character at text[at], moving at past it: its code point,
// or -1 for a byte sequence that is no UTF-8 (at moves past one byte).
long NextUtf8CodePoint(std::string_view text, size_t& at);
