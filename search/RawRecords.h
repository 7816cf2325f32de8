#pragma once
// The records of a month file found in its raw bytes, as the line-by-line
// scan would put them together, without putting them together: whether a
// comma separates is judged from the bytes before it on its line.
#include <cstddef>

// Whether every escape that unescaping removes from [begin, size) stands
// before a backslash, a comma or a line end: bytes that no needle holds, so
// that a needle in a record's text stands whole in the raw bytes.
bool EscapesKeepNeedlesWhole(const char* bytes, size_t begin, size_t size);

// The position of the n-th separator (n >= 1) of the complete record that
// begins at from.
size_t NthSeparator(const char* bytes, size_t from, int n);

// Where the record that begins at from ends: past the LF of the line that
// brings its separators to 11, or at the end of the bytes; npos when the
// bytes end before it is complete. from > 0 is where a line begins.
size_t RecordEnd(const char* bytes, size_t size, size_t from);
