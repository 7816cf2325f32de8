#pragma once
// The escaping of text fields in month files, shared with the search.
#include <cstddef>

// cp932 as the month file sees it: 0x80..0xA0 and 0xE0..0xFF start a
// two-byte character; the next byte is its trail byte, whatever it is.
inline bool IsLeadByte(unsigned char b) { return (b >= 0x80 && b <= 0xA0) || b >= 0xE0; }

// Writes text with a 0x5C before every single-byte backslash and comma into
// out (outSize >= 2 * strlen(text) + 1 always suffices) and terminates it.
// A lead byte dangling at the end of the text is dropped. Returns the length.
size_t EscapeField(const char* text, char* out, size_t outSize);

// Removes escapes in place: in the single-byte state a 0x5C is dropped and
// the byte after it kept. Stops at a zero or after limit bytes, writes a
// zero after the result (text must hold limit + 1 bytes) and returns its length.
size_t UnescapeField(char* text, size_t limit);

// The index of the first unescaped sep among the first length bytes, in the
// single-byte state, or -1.
int FindSeparator(const char* text, int length, char sep);
